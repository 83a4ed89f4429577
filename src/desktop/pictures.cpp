#include "desktop/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vex {

namespace {

QPixmap Blank(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void DrawDiscLetter(QPainter& p, const QRectF& r, const QColor& fill, const QString& letter) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1));
    QRadialGradient g(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() * 0.7);
    g.setColorAt(0, fill.lighter(160));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    QFont font(QStringLiteral("Serif"));
    font.setBold(true);
    font.setPixelSize(qMax(6, int(r.height() * 0.72)));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, letter);
}

}  // namespace

QPixmap InfoPicture(int width, int height) {
    QPixmap pixmap = Blank(width, height);
    QPainter p(&pixmap);
    const qreal d = qMin(width, height);
    DrawDiscLetter(p, QRectF((width - d) / 2, (height - d) / 2, d, d), QColor(40, 100, 200),
                   QStringLiteral("i"));
    return pixmap;
}

QPixmap HelpGlyphPicture(int size) {
    QPixmap pixmap = Blank(size, size);
    QPainter p(&pixmap);
    DrawDiscLetter(p, QRectF(0, 0, size, size), QColor(30, 140, 70), QStringLiteral("?"));
    return pixmap;
}

QPixmap AlternateDatalistPicture(int width, int height) {
    QPixmap pixmap = Blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width * 0.6;
    const qreal h = height * 0.75;
    const QRectF back(width - w - 0.5, 0.5, w, h);
    const QRectF front(0.5, height - h - 0.5, w, h);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(166, 202, 240));
    p.drawRect(back);
    p.setBrush(Qt::white);
    p.drawRect(front);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    for (int i = 1; i <= 3; ++i) {
        const qreal y = front.top() + front.height() * i / 4.5 + 1;
        p.drawLine(QPointF(front.left() + 2, y), QPointF(front.right() - 2, y));
    }
    return pixmap;
}

namespace {

QPixmap ListPicture(int size, int lines, const QColor& colour) {
    QPixmap pixmap = Blank(size, size);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRect(0, 0, size - 1, size - 1));
    p.setPen(QPen(colour, 1));
    for (int i = 0; i < lines; ++i) {
        const int y = 2 + i * 2;
        if (y < size - 2) {
            p.drawLine(2, y, size - 3, y);
        }
    }
    return pixmap;
}

}  // namespace

QPixmap ShortListPicture(int size) {
    return ListPicture(size, 2, QColor(200, 40, 40));
}

QPixmap ExtendedListPicture(int size) {
    return ListPicture(size, 5, QColor(0, 0, 128));
}

QIcon WindowIconPicture() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap = Blank(size, size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 128), size / 16.0));
        p.setBrush(QColor(192, 220, 192));
        p.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
        QFont font(QStringLiteral("Sans"));
        font.setBold(true);
        font.setPixelSize(size * 11 / 16);
        p.setFont(font);
        p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("V"));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap NavigatorPicture(int which, int width, int height) {
    QPixmap pixmap = Blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    const qreal cy = height / 2.0;
    const qreal half = qMin(width, height) / 3.5;
    const qreal cx = width / 2.0;
    const bool left = which <= 1;
    QPolygonF triangle;
    if (left) {
        triangle << QPointF(cx - half / 1.5, cy) << QPointF(cx + half / 1.5, cy - half)
                 << QPointF(cx + half / 1.5, cy + half);
    } else {
        triangle << QPointF(cx + half / 1.5, cy) << QPointF(cx - half / 1.5, cy - half)
                 << QPointF(cx - half / 1.5, cy + half);
    }
    if (which == 0 || which == 3) {
        const qreal barX = which == 0 ? cx - half / 1.5 - 2 : cx + half / 1.5 + 1;
        p.drawRect(QRectF(barX, cy - half, 1.5, 2 * half));
        triangle.translate(which == 0 ? 1 : -1, 0);
    }
    p.drawPolygon(triangle);
    return pixmap;
}

}  // namespace vex
