#pragma once
// The program's artwork at the screen's pixel ratio: on a screen scaled by more than 1 the
// picture drawn at twice the size ("name@2x.png" beside "name.png" in the resources) with a
// device pixel ratio of 2, so that it shows at its logical size without being blown up.
#include <QPixmap>
#include <QString>

class QWidget;

QPixmap artPixmap(const QString& path);

// Gives each named label under `root` its artwork picture again through artPixmap (the forms
// load the plain pictures).
struct LabelArt {
    const char* label;
    const char* path;
};
void sharpenLabelArt(QWidget* root, std::initializer_list<LabelArt> labels);
