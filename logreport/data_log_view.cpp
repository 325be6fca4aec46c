#include "logreport/data_log_view.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace m47::logreport {

namespace {

constexpr int kMargin = 3; // pixels left of the text

int ClampToInt(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

QString Latin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

DataLogView::DataLogView(QWidget* parent) : QAbstractScrollArea(parent), decoder_(Latin1)
{
    // Raw sentences line up in columns in a fixed-pitch font, and the width of the longest line
    // follows from its length.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    refreshTimer_.setSingleShot(true);
    connect(&refreshTimer_, &QTimer::timeout, this, &DataLogView::refresh);
    updateScrollRanges();
}

void DataLogView::setDecoder(Decoder decoder)
{
    decoder_ = decoder ? std::move(decoder) : Decoder(Latin1);
    viewport()->update();
}

void DataLogView::appendLine(std::string_view bytes)
{
    lines_.Append(bytes);
    if (refreshTimer_.isActive())
        return;
    const qint64 since = lastRefresh_.isValid() ? lastRefresh_.elapsed() : kRefreshInterval;
    refreshTimer_.start(static_cast<int>(std::max<qint64>(0, kRefreshInterval - since)));
}

void DataLogView::clear()
{
    lines_.Clear();
    anchor_.reset();
    cursor_.reset();
    refresh();
}

QString DataLogView::lineText(std::size_t i) const
{
    return decoder_(lines_.Line(i));
}

std::optional<DataLogView::LineRange> DataLogView::selection() const
{
    if (!anchor_ || !cursor_)
        return std::nullopt;
    return LineRange{std::min(*anchor_, *cursor_), std::max(*anchor_, *cursor_)};
}

void DataLogView::selectAll()
{
    if (lines_.Empty())
        return;
    anchor_ = 0;
    cursor_ = lines_.Count() - 1;
    viewport()->update();
}

void DataLogView::copySelection() const
{
    const auto range = selection();
    if (!range)
        return;
    QStringList texts;
    for (std::size_t i = range->first; i <= range->second; ++i)
        texts.push_back(lineText(i));
    QGuiApplication::clipboard()->setText(texts.join(u'\n'));
}

void DataLogView::refresh()
{
    refreshTimer_.stop();
    lastRefresh_.start();
    QScrollBar* bar = verticalScrollBar();
    const bool followingNewest = bar->value() >= bar->maximum();
    updateScrollRanges();
    if (followingNewest)
        bar->setValue(bar->maximum());
    viewport()->update();
}

void DataLogView::updateScrollRanges()
{
    const int rows = rowsInView();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, ClampToInt(lines_.Count()) - rows));
    vertical->setPageStep(std::max(1, rows));
    vertical->setSingleStep(1);

    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const auto width = static_cast<std::size_t>(charWidth) * lines_.LongestLength() + 2 * kMargin;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, ClampToInt(width) - viewport()->width()));
    horizontal->setPageStep(std::max(1, viewport()->width()));
    horizontal->setSingleStep(std::max(1, charWidth));
}

int DataLogView::rowHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int DataLogView::rowsInView() const
{
    return viewport()->height() / rowHeight();
}

std::size_t DataLogView::lineAt(int y) const
{
    const int row = std::max(0, y) / rowHeight();
    const std::size_t line =
        static_cast<std::size_t>(verticalScrollBar()->value()) + static_cast<std::size_t>(row);
    return std::min(line, lines_.Count() - 1);
}

bool DataLogView::isSelected(std::size_t line) const
{
    const auto range = selection();
    return range && line >= range->first && line <= range->second;
}

void DataLogView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int height = rowHeight();
    const int x = kMargin - horizontalScrollBar()->value();
    const auto first = static_cast<std::size_t>(verticalScrollBar()->value());
    const QRect area = viewport()->rect();
    // One row more than fits, for the partly visible row at the bottom.
    for (int row = 0; row <= rowsInView(); ++row) {
        const std::size_t line = first + static_cast<std::size_t>(row);
        if (line >= lines_.Count())
            break;
        const int top = row * height;
        if (isSelected(line)) {
            painter.fillRect(QRect(area.left(), top, area.width(), height), palette().highlight());
            painter.setPen(palette().highlightedText().color());
        } else {
            painter.setPen(palette().text().color());
        }
        painter.drawText(QPoint(x, top + metrics.ascent()), lineText(line));
    }
}

void DataLogView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

void DataLogView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refresh();
}

void DataLogView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || lines_.Empty())
        return QAbstractScrollArea::mousePressEvent(event);
    const std::size_t line = lineAt(event->position().toPoint().y());
    if (!(event->modifiers() & Qt::ShiftModifier) || !anchor_)
        anchor_ = line;
    cursor_ = line;
    viewport()->update();
}

void DataLogView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !anchor_ || lines_.Empty())
        return QAbstractScrollArea::mouseMoveEvent(event);
    cursor_ = lineAt(event->position().toPoint().y());
    viewport()->update();
}

void DataLogView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->matches(QKeySequence::Copy))
        copySelection();
    else if (event->matches(QKeySequence::MoveToStartOfDocument))
        verticalScrollBar()->setValue(0);
    else if (event->matches(QKeySequence::MoveToEndOfDocument))
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void DataLogView::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace m47::logreport
