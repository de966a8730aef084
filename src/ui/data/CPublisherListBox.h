#pragma once
// The card window's publisher list (idc::card::kPublisherList): entries in table order with
// the record index as item data, and a first-letters type-ahead in place of
// the list's own single-letter search.

#include <QListWidget>
#include <string>
#include <vector>

#include "data/PublisherList.h"
#include "data/TypeAhead.h"

namespace varnok {

class CPublisherListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CPublisherListBox(QWidget* parent = nullptr);

    // Replaces the entries and selects the first one (nothing when empty),
    // without notifying a selection change: the caller refreshes.
    void Fill(const std::vector<ListEntry>& entries);
    // The selected entry's record index; 0 for none (or a negative item data).
    int SelectedPublisher() const;
    // Every entry's record index, from the top.
    std::vector<int> ListedPublishers() const;

    const TypeAhead& typeAhead() const { return typeAhead_; }

signals:
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

    TypeAhead typeAhead_;
    std::vector<std::string> texts_;  // the entries' texts in the edition's code page
};

}  // namespace varnok
