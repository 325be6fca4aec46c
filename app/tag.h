#pragma once
// A control's Tag: an integer of program state stored with the control in the layout
// (OpenPort: connection open, spbtnEnableLog: logging on, language items: language number).
#include <QObject>
#include <QVariant>

inline int Tag(const QObject* control)
{
    return control->property("Tag").toInt();
}

inline void SetTag(QObject* control, int tag)
{
    control->setProperty("Tag", tag);
}
