#include "sortedcombobox.h"

int SortedComboBox::addSortedItem(const QString& text)
{
    int at = 0;
    while (at < count() && itemText(at).compare(text, Qt::CaseInsensitive) <= 0)
        ++at;
    insertItem(at, text);
    return at;
}
