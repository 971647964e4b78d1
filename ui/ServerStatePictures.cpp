#include "ui/ServerStatePictures.h"
#include <QPainter>
#include <QPainterPath>

namespace {

struct Palette {
    QColor body;     // the terminal's screen or the globe's sea
    QColor outline;
    QColor detail;   // the prompt or the meridians
};

// Defaults in full colour, alternatives muted, so the server in use stands out.
Palette WhoisPalette(bool isDefault)
{
    if (isDefault)
        return {QColor(0x2f, 0x3e, 0x4e), QColor(0x17, 0x20, 0x2a), QColor(0x7c, 0xf0, 0x8a)};
    return {QColor(0xb4, 0xbc, 0xc4), QColor(0x7d, 0x87, 0x91), QColor(0xf4, 0xf6, 0xf8)};
}

Palette HttpPalette(bool isDefault)
{
    if (isDefault)
        return {QColor(0x1e, 0x88, 0xe5), QColor(0x0d, 0x47, 0xa1), QColor(0xe3, 0xf2, 0xfd)};
    return {QColor(0xb3, 0xc8, 0xda), QColor(0x78, 0x90, 0xa6), QColor(0xf4, 0xf8, 0xfb)};
}

// A small screen with a shell prompt: a whois server is a plain text service.
void DrawTerminal(QPainter& p, const Palette& c)
{
    const QRectF screen(1.5, 2.5, 12.0, 10.0);
    p.setPen(QPen(c.outline, 1.0));
    p.setBrush(c.body);
    p.drawRoundedRect(screen, 2.0, 2.0);

    QPen prompt(c.detail, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(prompt);
    p.setBrush(Qt::NoBrush);
    const QPointF chevron[] = {{4.0, 5.2}, {6.2, 7.4}, {4.0, 9.6}};
    p.drawPolyline(chevron, 3);
    p.drawLine(QPointF(7.6, 9.6), QPointF(10.4, 9.6));
}

// A globe with a meridian and two parallels: an HTTP server is a web page.
void DrawGlobe(QPainter& p, const Palette& c)
{
    const QPointF centre(7.5, 7.5);
    const qreal radius = 6.0;
    p.setPen(QPen(c.outline, 1.0));
    p.setBrush(c.body);
    p.drawEllipse(centre, radius, radius);

    p.setPen(QPen(c.detail, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.42, radius - 0.3);
    p.drawLine(QPointF(centre.x(), centre.y() - radius + 0.3), QPointF(centre.x(), centre.y() + radius - 0.3));
    p.drawLine(QPointF(centre.x() - radius + 0.3, centre.y()), QPointF(centre.x() + radius - 0.3, centre.y()));
    p.drawLine(QPointF(centre.x() - radius * 0.8, centre.y() - 3.0), QPointF(centre.x() + radius * 0.8, centre.y() - 3.0));
    p.drawLine(QPointF(centre.x() - radius * 0.8, centre.y() + 3.0), QPointF(centre.x() + radius * 0.8, centre.y() + 3.0));
}

// The green tick in the lower right corner that marks the TLD's default server.
void DrawDefaultBadge(QPainter& p)
{
    const QPointF centre(11.5, 11.5);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(QColor(0x2e, 0x9d, 0x3a));
    p.drawEllipse(centre, 3.9, 3.9);

    QPen tick(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    const QPointF mark[] = {{9.6, 11.6}, {11.0, 13.0}, {13.5, 10.2}};
    p.drawPolyline(mark, 3);
}

} // namespace

QPixmap ServerStatePixmap(int stateIndex, qreal devicePixelRatio)
{
    const int side = qRound(16 * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    if (stateIndex < 1 || stateIndex > 4)
        return pixmap;

    const bool isHttp = stateIndex >= 3;
    const bool isDefault = stateIndex == 2 || stateIndex == 4;

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (isHttp)
        DrawGlobe(p, HttpPalette(isDefault));
    else
        DrawTerminal(p, WhoisPalette(isDefault));
    if (isDefault)
        DrawDefaultBadge(p);
    return pixmap;
}

QIcon ServerStateIcon(int stateIndex)
{
    QIcon icon;
    icon.addPixmap(ServerStatePixmap(stateIndex, 1.0));
    icon.addPixmap(ServerStatePixmap(stateIndex, 2.0));
    return icon;
}
