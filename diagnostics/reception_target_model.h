#pragma once
// "Targets heard" of the RECEPTION page: the rows of the reception counting as a table model,
// and the proxy that sorts it by value and filters it by MMSI or name.
//
//   auto* model = new TTargetTableModel(this);
//   auto* proxy = new TTargetFilterModel(this);  proxy->setSourceModel(model);
//   view->setModel(proxy);  view->setSortingEnabled(true);
//   model->SetRows(view.targets);                  // each refresh
//   proxy->SetFilterText(edit->text());
#include "diagnostics/reception_texts.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

class TTargetTableModel : public QAbstractTableModel
{
public:
    // The value each cell sorts by: a number, or the text for name, call sign and kind.
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    // The rows now; rows of the same senders in the same order are updated in place, so the
    // view keeps its selection and scroll position.
    void SetRows(const std::vector<m47::diagnostics::TargetRow>& rows);
    const std::vector<m47::diagnostics::TargetRow>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool SameSenders(const std::vector<m47::diagnostics::TargetRow>& rows, std::size_t count) const;

    std::vector<m47::diagnostics::TargetRow> rows_;
};

class TTargetFilterModel : public QSortFilterProxyModel
{
public:
    explicit TTargetFilterModel(QObject* parent = nullptr);

    // MMSI digits or part of a name, case ignored; empty shows every target.
    void SetFilterText(const QString& text);
    // Sorts again after the model's rows were updated (the proxy does not follow each change).
    void Resort();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Straight from the rows, without a QVariant per comparison: a full table sorts in a
    // fraction of a millisecond.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const TTargetTableModel* Source() const;

    std::string filter_;
};
