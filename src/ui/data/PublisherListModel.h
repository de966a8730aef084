#pragma once
// The rows of the card window's publisher list: each entry's text, shown in
// Unicode only when the view asks for it, and its record index.

#include <QAbstractListModel>
#include <string>
#include <vector>

#include "data/PublisherList.h"

namespace varnok {

class PublisherListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces every row at once.
    void Reset(std::vector<ListEntry> entries);
    // The rows' texts in the edition's code page, and their record indexes.
    const std::vector<std::string>& texts() const { return texts_; }
    const std::vector<int>& publishers() const { return publishers_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    // The text for Qt::DisplayRole; the record indexes are read through publishers().
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> texts_;
    std::vector<int> publishers_;
};

}  // namespace varnok
