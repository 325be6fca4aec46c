// Pure rules of port discovery (see port_naming.h for the COM-number mapping).
#include "port_naming.h"

#include <algorithm>

namespace {

struct NodeRange {
    const char* prefix;
    int firstCom;
    int count;
    TPortKind kind;
};

constexpr NodeRange kNodeRanges[] = {
    {"ttyS", 1, 32, TPortKind::Uart},
    {"ttyUSB", 33, 64, TPortKind::UsbSerial},
    {"ttyACM", 97, 64, TPortKind::UsbModem},
};

// Leading decimal digits of text from pos, as sscanf("%d") would read them but never
// overflowing: more than 6 digits read as 999999. Sets digits to how many were read.
int LeadingNumber(QStringView text, qsizetype pos, int& digits)
{
    int value = 0;
    digits = 0;
    while (pos + digits < text.size() && text[pos + digits].isDigit() && text[pos + digits].unicode() < 128) {
        if (value < 100000)
            value = value * 10 + (text[pos + digits].unicode() - '0');
        else
            value = 999999;
        ++digits;
    }
    return value;
}

const NodeRange* RangeOfNode(QStringView node, int& index)
{
    for (const NodeRange& range : kNodeRanges) {
        const QLatin1StringView prefix(range.prefix);
        if (!node.startsWith(prefix) || node.size() == prefix.size())
            continue;
        const QStringView rest = node.mid(prefix.size());
        int digits = 0;
        const int k = LeadingNumber(rest, 0, digits);
        if (digits != rest.size() || (digits > 1 && rest[0] == u'0') || k >= range.count)
            return nullptr;
        index = k;
        return &range;
    }
    return nullptr;
}

} // namespace

int ComNumberOfNode(QStringView node)
{
    int index = 0;
    const NodeRange* range = RangeOfNode(node, index);
    return range ? range->firstCom + index : -1;
}

QString NodeOfComNumber(int com)
{
    for (const NodeRange& range : kNodeRanges)
        if (com >= range.firstCom && com < range.firstCom + range.count)
            return QLatin1StringView(range.prefix) + QString::number(com - range.firstCom);
    return {};
}

TPortKind KindOfNode(QStringView node)
{
    int index = 0;
    const NodeRange* range = RangeOfNode(node, index);
    return range ? range->kind : TPortKind::Virtual;
}

int ComNumberOfDeviceName(const QString& name)
{
    QStringView rest(name);
    if (rest.startsWith(u"\\\\.\\"))
        rest = rest.mid(4);
    if (!rest.startsWith(u"COM", Qt::CaseInsensitive))
        return -1;
    int digits = 0;
    const int n = LeadingNumber(rest, 3, digits);
    if (digits == 0 || digits != rest.size() - 3 || rest[3] == u'0' || n > 255)
        return -1;
    return n;
}

QString ComDeviceName(int com)
{
    return QStringLiteral("\\\\.\\COM%1").arg(com);
}

QString CleanDeviceText(const QString& raw, int maxLength)
{
    QString out;
    for (QChar c : raw) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c.isSpace())
            c = u' ';
        if (c == u' ' && (out.isEmpty() || out.back() == u' '))
            continue;
        out.append(c);
        if (out.size() >= maxLength)
            break;
    }
    return out.trimmed();
}

QString FriendlyName(const QString& description, int com, const QString& fallback)
{
    const QString suffix = QStringLiteral("(COM%1)").arg(com);
    QString text = CleanDeviceText(description, kMaxFriendlyNameLength);
    if (text.isEmpty())
        text = fallback;
    if (text.contains(suffix))
        return text;
    const int room = kMaxFriendlyNameLength - static_cast<int>(suffix.size()) - 1;
    return text.left(room).trimmed() + u' ' + suffix;
}

std::vector<TFoundPort> MergePorts(std::vector<TFoundPort> system, std::vector<TFoundPort> virtualPorts)
{
    const auto byNumber = [](const TFoundPort& a, const TFoundPort& b) { return a.ComNumber < b.ComNumber; };
    std::sort(system.begin(), system.end(), byNumber);
    for (TFoundPort& port : virtualPorts) {
        const bool taken = std::any_of(system.begin(), system.end(),
                                       [&](const TFoundPort& p) { return p.ComNumber == port.ComNumber; });
        if (!taken)
            system.push_back(std::move(port));
    }
    std::stable_sort(system.begin(), system.end(), byNumber);
    return system;
}

TPortTable BuildPortTable(const std::vector<TFoundPort>& ports)
{
    TPortTable table;
    for (const TFoundPort& port : ports) {
        if (table.Count == kMaxPorts)
            break;
        if (port.FriendlyName.contains(u"(COM"))
            table.Names[static_cast<std::size_t>(table.Count++)] = port.FriendlyName;
    }
    return table;
}

QStringList SortedPortNames(const TPortTable& table)
{
    QStringList names;
    for (int i = 0; i < table.Count; ++i)
        names.append(table.Names[static_cast<std::size_t>(i)]);
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool PortTableHolds(const TPortTable& table, int portNumber)
{
    const QString key = QStringLiteral("(COM%1)").arg(portNumber);
    for (int i = 0; i < table.Count; ++i)
        if (table.Names[static_cast<std::size_t>(i)].contains(key))
            return true;
    return false;
}

int ComNumberAfter(const QString& item, QStringView marker)
{
    const qsizetype at = item.indexOf(marker);
    if (at < 0)
        return -1;
    int digits = 0;
    return LeadingNumber(item, at + marker.size(), digits);
}

int ProbeComNumber(const QString& item)
{
    return ComNumberAfter(item, u"(COM");
}

int SelectedComNumber(const QString& item)
{
    const int n = ComNumberAfter(item, u"COM");
    return (n >= 1 && n <= 255) ? n : -1;
}

int ConnectionPortNumber(const QString& item)
{
    const int n = SelectedComNumber(item);
    return n > 0 ? n : 1;
}
