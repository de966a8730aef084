#pragma once
// The rows of the card window's publisher list: each entry's text, shown in
// Unicode only when the view asks for it, and its record index.

#include <QAbstractListModel>
#include <vector>

#include "data/PublisherList.h"

namespace varnok {

class PublisherListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces every row at once.
    void Reset(std::vector<ListEntry> entries);
    const std::vector<ListEntry>& entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    // The text for Qt::DisplayRole, the record index for Qt::UserRole.
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<ListEntry> entries_;
};

}  // namespace varnok
