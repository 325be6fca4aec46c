#include "artpixmap.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>

QPixmap artPixmap(const QString& path)
{
    if (qApp->devicePixelRatio() > 1.0 && path.endsWith(QLatin1String(".png"))) {
        QString doubled = path;
        doubled.insert(doubled.size() - 4, QLatin1String("@2x"));
        QPixmap pixmap;
        if (QFile::exists(doubled) && pixmap.load(doubled)) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

void sharpenLabelArt(QWidget* root, std::initializer_list<LabelArt> labels)
{
    for (const LabelArt& art : labels) {
        if (auto* label = root->findChild<QLabel*>(QLatin1String(art.label)))
            label->setPixmap(artPixmap(QLatin1String(art.path)));
    }
}
