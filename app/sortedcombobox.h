#pragma once
// A combo box that keeps its items in alphabetical order, whatever order they are added in.
#include <QComboBox>

class SortedComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Inserts the item at its place in case-insensitive order and returns its index.
    int addSortedItem(const QString& text);
};
