#include "CPublisherListBox.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "data/PublisherListModel.h"
#include "data/PublisherRowDelegate.h"
#include "platform/CodePageLetters.h"
#include "platform/TextCodec.h"

namespace varnok {

CPublisherListBox::CPublisherListBox(QWidget* parent)
    : QListView(parent), model_(new PublisherListModel(this)) {
    setModel(model_);
    setItemDelegate(new PublisherRowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every entry is one line of text in one font: the list measures one row
    // instead of each of up to a thousand names as the window opens.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPublisherListBox::itemSelectionChanged);
}

void CPublisherListBox::Fill(std::vector<ListEntry> entries) {
    QSignalBlocker quiet(this);
    // The rows are kept as the card window gives them: a name is turned into
    // Unicode only when its row is drawn, not for every row as the list fills.
    model_->Reset(std::move(entries));
    if (count() > 0) {
        setCurrentRow(0);
    }
}

const std::vector<int>& CPublisherListBox::ListedPublishers() const {
    return model_->publishers();
}

int CPublisherListBox::PublisherAt(int row) const {
    const std::vector<int>& publishers = model_->publishers();
    return row >= 0 && static_cast<size_t>(row) < publishers.size()
               ? publishers[static_cast<size_t>(row)]
               : 0;
}

int CPublisherListBox::SelectedPublisher() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.size() != 1) {
        return 0;
    }
    const int publisher = PublisherAt(selected.first().row());
    return publisher < 0 ? 0 : publisher;
}

int CPublisherListBox::count() const {
    return model_->rowCount();
}

int CPublisherListBox::currentRow() const {
    return currentIndex().row();
}

void CPublisherListBox::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
}

void CPublisherListBox::keyPressEvent(QKeyEvent* event) {
    QString text = event->text();
    bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() == 0x7f) {
        QListView::keyPressEvent(event);  // arrows, page keys, Enter, Esc, Tab
        return;
    }
    std::string bytes = ToCodePage(text);
    TypeCharacter(bytes.empty() ? '?' : bytes[0]);
    event->accept();
}

void CPublisherListBox::TypeCharacter(char c) {
    int current = currentRow();
    int row = typeAhead_.OnChar(c, model_->texts(), current);
    if (row != current && row >= 0 && row < count()) {
        SelectQuietly(row);
    }
    if (IsCodePageLetter(c) && currentIndex().isValid()) {
        scrollTo(currentIndex(), QAbstractItemView::PositionAtTop);
    }
    emit characterTyped();
}

void CPublisherListBox::SelectQuietly(int row) {
    QSignalBlocker quiet(this);
    setCurrentRow(row);
}

void CPublisherListBox::focusInEvent(QFocusEvent* event) {
    typeAhead_.Reset();
    QListView::focusInEvent(event);
}

// The list always has one publisher selected once it has any: Ctrl with a
// click or the space bar would otherwise clear the selection and leave the
// previews showing a publisher the list no longer marks.
QItemSelectionModel::SelectionFlags CPublisherListBox::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
    QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (command.testFlag(QItemSelectionModel::Deselect)) {
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return command;
}

}  // namespace varnok
