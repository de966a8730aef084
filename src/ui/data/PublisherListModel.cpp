#include "data/PublisherListModel.h"

#include "platform/TextCodec.h"

namespace varnok {

void PublisherListModel::Reset(std::vector<ListEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int PublisherListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PublisherListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ListEntry& entry = entries_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return FromCodePage(entry.text);
        case Qt::UserRole:
            return entry.publisher;
        default:
            return {};
    }
}

}  // namespace varnok
