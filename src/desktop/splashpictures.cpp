#include "desktop/splashpictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace vex {

namespace {

struct Scheme {
    QColor top;
    QColor bottom;
    QColor title;
    QColor subtitle;
    QColor accent;
};

QPixmap DrawPicture(int width, int height, const Scheme& scheme, const QString& subtitle) {
    QPixmap pixmap(qMax(1, width), qMax(1, height));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal w = pixmap.width();
    const qreal h = pixmap.height();

    QLinearGradient background(0, 0, 0, h);
    background.setColorAt(0, scheme.top);
    background.setColorAt(1, scheme.bottom);
    p.fillRect(pixmap.rect(), background);

    // A row of small squares at the left, like the codes of a list.
    p.setPen(Qt::NoPen);
    const qreal cell = h / 9;
    for (int row = 0; row < 5; ++row) {
        QColor c = scheme.accent;
        c.setAlphaF(1.0 - row * 0.16);
        p.setBrush(c);
        p.drawRect(QRectF(w * 0.04, h * 0.18 + row * cell * 1.4, cell * 2.2, cell * 0.8));
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRect(
            QRectF(w * 0.04 + cell * 2.6, h * 0.18 + row * cell * 1.4, cell * 4.5, cell * 0.8));
    }

    const QRectF textArea(w * 0.27, h * 0.08, w * 0.70, h * 0.84);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(qMax(6, int(h * 0.27)));
    p.setFont(titleFont);
    p.setPen(scheme.title);
    p.drawText(textArea.adjusted(0, 0, 0, -h * 0.38), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Vex Diagnoseliste"));

    QFont subFont(QStringLiteral("Arial"));
    subFont.setPixelSize(qMax(5, int(h * 0.13)));
    p.setFont(subFont);
    p.setPen(scheme.subtitle);
    p.drawText(textArea.adjusted(0, h * 0.50, 0, 0), Qt::AlignLeft | Qt::AlignTop, subtitle);

    p.setPen(QPen(scheme.accent, qMax(1.0, h / 50)));
    p.drawLine(QPointF(textArea.left(), h * 0.52), QPointF(w * 0.95, h * 0.52));
    return pixmap;
}

}  // namespace

QPixmap SplashDefaultPicture(int width, int height) {
    const Scheme blue{QColor(22, 52, 110), QColor(70, 130, 200), Qt::white, QColor(220, 232, 250),
                      QColor(250, 200, 60)};
    return DrawPicture(width, height, blue, QStringLiteral("Diagnosekoder - SKS og ICD-10"));
}

QPixmap SplashAlternativePicture(int width, int height) {
    const Scheme green{QColor(20, 80, 60), QColor(90, 170, 120), Qt::white, QColor(225, 245, 230),
                       QColor(240, 120, 70)};
    return DrawPicture(width, height, green, QStringLiteral("Klassifikationsliste"));
}

}  // namespace vex
