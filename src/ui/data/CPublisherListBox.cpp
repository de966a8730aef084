#include "CPublisherListBox.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "platform/CodePageLetters.h"
#include "platform/TextCodec.h"

namespace varnok {

CPublisherListBox::CPublisherListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);  // entries stay in table order
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every entry is one line of text in one font: the list measures one row
    // instead of each of up to a thousand names as the window opens.
    setUniformItemSizes(true);
}

void CPublisherListBox::Fill(const std::vector<ListEntry>& entries) {
    QSignalBlocker quiet(this);
    clear();
    texts_.clear();
    // All rows go in at once: one by one, each would be announced to the view.
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(entries.size()));
    for (const ListEntry& entry : entries) {
        labels.push_back(FromCodePage(entry.text));
        texts_.push_back(entry.text);
    }
    addItems(labels);
    // The record index shows nowhere: the view need not hear of it row by row.
    const QSignalBlocker unheard(model());
    for (int row = 0; row < count(); ++row) {
        item(row)->setData(Qt::UserRole, entries[static_cast<size_t>(row)].publisher);
    }
    if (count() > 0) {
        setCurrentRow(0);
    }
}

std::vector<int> CPublisherListBox::ListedPublishers() const {
    std::vector<int> publishers;
    for (int row = 0; row < count(); ++row) {
        publishers.push_back(item(row)->data(Qt::UserRole).toInt());
    }
    return publishers;
}

int CPublisherListBox::SelectedPublisher() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.size() != 1) {
        return 0;
    }
    int publisher = selected.first()->data(Qt::UserRole).toInt();
    return publisher < 0 ? 0 : publisher;
}

void CPublisherListBox::keyPressEvent(QKeyEvent* event) {
    QString text = event->text();
    bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() == 0x7f) {
        QListWidget::keyPressEvent(event);  // arrows, page keys, Enter, Esc, Tab
        return;
    }
    std::string bytes = ToCodePage(text);
    TypeCharacter(bytes.empty() ? '?' : bytes[0]);
    event->accept();
}

void CPublisherListBox::TypeCharacter(char c) {
    int current = currentRow();
    int row = typeAhead_.OnChar(c, texts_, current);
    if (row != current && row >= 0 && row < count()) {
        SelectQuietly(row);
    }
    QListWidgetItem* item = currentItem();
    if (IsCodePageLetter(c) && item != nullptr) {
        scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
    emit characterTyped();
}

void CPublisherListBox::SelectQuietly(int row) {
    QSignalBlocker quiet(this);
    setCurrentRow(row);
}

void CPublisherListBox::focusInEvent(QFocusEvent* event) {
    typeAhead_.Reset();
    QListWidget::focusInEvent(event);
}

// The list always has one publisher selected once it has any: Ctrl with a
// click or the space bar would otherwise clear the selection and leave the
// previews showing a publisher the list no longer marks.
QItemSelectionModel::SelectionFlags CPublisherListBox::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
    QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command.testFlag(QItemSelectionModel::Deselect)) {
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return command;
}

}  // namespace varnok
