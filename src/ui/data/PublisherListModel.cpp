#include "data/PublisherListModel.h"

#include "platform/TextCodec.h"

namespace varnok {

void PublisherListModel::Reset(std::vector<ListEntry> entries) {
    beginResetModel();
    texts_.clear();
    publishers_.clear();
    texts_.reserve(entries.size());
    publishers_.reserve(entries.size());
    for (ListEntry& entry : entries) {
        texts_.push_back(std::move(entry.text));
        publishers_.push_back(entry.publisher);
    }
    endResetModel();
}

int PublisherListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

QVariant PublisherListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return FromCodePage(texts_[static_cast<size_t>(index.row())]);
}

}  // namespace varnok
