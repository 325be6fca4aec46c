#include "diagnostics/reception_target_model.h"

namespace diagnostics = m47::diagnostics;

namespace {

// Names and call signs are six-bit AIS text: ASCII only.
QString Ascii(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool TTargetTableModel::SameSenders(const std::vector<diagnostics::TargetRow>& rows, std::size_t count) const
{
    for (std::size_t i = 0; i < count; ++i) {
        if (rows[i].index != rows_[i].index || rows[i].mmsi != rows_[i].mmsi)
            return false;
    }
    return true;
}

void TTargetTableModel::SetRows(const std::vector<diagnostics::TargetRow>& rows)
{
    const std::size_t kept = rows_.size();
    if (rows.size() < kept || !SameSenders(rows, kept)) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
        return;
    }
    std::copy(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(kept), rows_.begin());
    if (kept > 0)
        emit dataChanged(index(0, 0), index(static_cast<int>(kept) - 1, diagnostics::kTargetColumns - 1));
    if (rows.size() > kept) {
        beginInsertRows({}, static_cast<int>(kept), static_cast<int>(rows.size()) - 1);
        rows_.insert(rows_.end(), rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
        endInsertRows();
    }
}

int TTargetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TTargetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : diagnostics::kTargetColumns;
}

QVariant TTargetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const diagnostics::TargetRow& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<diagnostics::TargetColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole: return Ascii(diagnostics::TargetCell(row, column));
    case SortRole:
        return diagnostics::IsTextColumn(column) ? QVariant(Ascii(diagnostics::TargetCell(row, column)))
                                                 : QVariant(diagnostics::TargetSortValue(row, column));
    case Qt::TextAlignmentRole:
        return diagnostics::IsTextColumn(column) ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant TTargetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= diagnostics::kTargetColumns)
        return {};
    return QString::fromLatin1(diagnostics::TargetColumnTitle(static_cast<diagnostics::TargetColumn>(section)));
}

TTargetFilterModel::TTargetFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(TTargetTableModel::SortRole);
    // A refresh changes most rows at once; one sort afterwards beats following every change.
    setDynamicSortFilter(false);
}

const TTargetTableModel* TTargetFilterModel::Source() const
{
    return dynamic_cast<const TTargetTableModel*>(sourceModel());
}

void TTargetFilterModel::Resort()
{
    if (sortColumn() >= 0)
        sort(sortColumn(), sortOrder());
}

bool TTargetFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const TTargetTableModel* model = Source();
    if (model == nullptr)
        return QSortFilterProxyModel::lessThan(left, right);
    const auto& a = model->Rows()[static_cast<std::size_t>(left.row())];
    const auto& b = model->Rows()[static_cast<std::size_t>(right.row())];
    const auto column = static_cast<diagnostics::TargetColumn>(left.column());
    if (diagnostics::IsTextColumn(column))
        return diagnostics::TargetCell(a, column) < diagnostics::TargetCell(b, column);
    return diagnostics::TargetSortValue(a, column) < diagnostics::TargetSortValue(b, column);
}

void TTargetFilterModel::SetFilterText(const QString& text)
{
    std::string filter = text.trimmed().toLatin1().toStdString();
    if (filter == filter_)
        return;
    filter_ = std::move(filter);
    invalidateRowsFilter();
}

bool TTargetFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const TTargetTableModel* model = Source();
    if (model == nullptr || filter_.empty())
        return true;
    return diagnostics::MatchesTargetFilter(model->Rows()[static_cast<std::size_t>(sourceRow)], filter_);
}
