#pragma once
// The card window's publisher list (idc::card::kPublisherList): entries in table order, each
// row standing for a record index, and a first-letters type-ahead in place of
// the list's own single-letter search.

#include <QListView>
#include <vector>

#include "data/PublisherList.h"
#include "data/TypeAhead.h"

namespace varnok {

class PublisherListModel;

class CPublisherListBox : public QListView {
    Q_OBJECT
public:
    explicit CPublisherListBox(QWidget* parent = nullptr);

    // Replaces the entries and selects the first one (nothing when empty),
    // without notifying a selection change: the caller refreshes.
    void Fill(std::vector<ListEntry> entries);
    // The selected entry's record index; 0 for none (or a negative record index).
    int SelectedPublisher() const;
    // Every entry's record index, from the top.
    const std::vector<int>& ListedPublishers() const;
    // The record index of the entry in `row`; 0 for a row the list does not have.
    int PublisherAt(int row) const;

    int count() const;
    // The entry with the keyboard focus; -1 for none.
    int currentRow() const;
    // Makes `row` current and its entry the one selected.
    void setCurrentRow(int row);

    const TypeAhead& typeAhead() const { return typeAhead_; }

signals:
    // The selected entry changed, by the user or by setCurrentRow.
    void itemSelectionChanged();
    // Every typed character, letter or not: the card window refreshes its selection.
    void characterTyped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void TypeCharacter(char c);
    void SelectQuietly(int row);

    PublisherListModel* model_;
    TypeAhead typeAhead_;
};

}  // namespace varnok
