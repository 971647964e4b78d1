#include "ui/SidePicture.h"
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

SidePicture::SidePicture(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SidePicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);

    // The globe.
    const QPointF centre(width() / 2.0, 70.0);
    const qreal r = width() * 0.36;
    QRadialGradient shade(centre - QPointF(r / 3, r / 3), r * 1.4);
    shade.setColorAt(0.0, QColor(90, 170, 230));
    shade.setColorAt(0.6, QColor(20, 70, 140));
    shade.setColorAt(1.0, QColor(5, 20, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre, r, r);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(160, 210, 255, 150), 1.0));
    for (int i = 1; i <= 3; ++i) {                   // meridians
        const qreal w = r * i / 3.5;
        p.drawEllipse(centre, w, r);
    }
    for (int i = -2; i <= 2; ++i) {                  // parallels
        const qreal y = centre.y() + r * i / 3.0;
        const qreal half = std::sqrt(qMax<qreal>(0.0, r * r - (y - centre.y()) * (y - centre.y())));
        p.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
    }
    p.setPen(QPen(QColor(120, 190, 255), 1.5));
    p.drawEllipse(centre, r, r);

    // The magnifying glass over the lower right of the globe.
    const QPointF lens = centre + QPointF(r * 0.42, r * 0.48);
    const qreal lr = r * 0.42;
    p.setPen(QPen(QColor(235, 235, 235), 3.0));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(lens, lr, lr);
    p.setPen(QPen(QColor(250, 200, 40), 5.0, Qt::SolidLine, Qt::RoundCap));
    const QPointF handle = lens + QPointF(lr * 0.72, lr * 0.72);
    p.drawLine(handle, handle + QPointF(lr * 0.6, lr * 0.6));

    // The name, running down the column.
    p.save();
    QFont name = font();
    name.setPixelSize(30);
    name.setBold(true);
    name.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(name);
    p.translate(width() / 2.0 + 11, 150);
    p.rotate(90);
    p.setPen(QColor(250, 200, 40));
    p.drawText(QPointF(0, 0), QStringLiteral("Tarnwick"));
    p.restore();

    // A thin line above the status text.
    p.setPen(QPen(QColor(70, 70, 70), 1.0));
    p.drawLine(QPointF(8, height() - 34.5), QPointF(width() - 8, height() - 34.5));
}
