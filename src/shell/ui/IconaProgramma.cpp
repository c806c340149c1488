#include "shell/ui/IconaProgramma.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <array>

namespace {

constexpr std::array kLati = {16, 24, 32, 48, 64, 256};

void moneta(QPainter& p, QPointF centro, qreal raggio, const char* fondo, const char* bordo,
            const char* inchiostro, const QString& segno, int punti, qreal base)
{
    p.setPen(QPen(QColor(bordo), 2.5));
    p.setBrush(QColor(fondo));
    p.drawEllipse(centro, raggio, raggio);
    QFont carattere(QStringLiteral("DejaVu Sans"));
    carattere.setPixelSize(punti);
    carattere.setBold(true);
    // The glyph as a path: hinting would move it by whole pixels on the small sizes.
    QPainterPath testo;
    testo.addText(0, 0, carattere, segno);
    const QRectF misura = testo.boundingRect();
    testo.translate(centro.x() - misura.center().x(), base);
    p.fillPath(testo, QColor(inchiostro));
}

void scriviLe16(QByteArray& b, int v)
{
    const auto x = qToLittleEndian(static_cast<quint16>(v));
    b.append(reinterpret_cast<const char*>(&x), 2);
}

void scriviLe32(QByteArray& b, qint64 v)
{
    const auto x = qToLittleEndian(static_cast<quint32>(v));
    b.append(reinterpret_cast<const char*>(&x), 4);
}

} // namespace

namespace IconaProgramma {

QImage disegna(int lato)
{
    QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lato / 64.0, lato / 64.0); // the drawing's own 64 x 64 grid

    p.setPen(QPen(QColor("#2b5797"), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 4, 38, 50), 3, 3);
    p.setPen(QPen(QColor("#2b5797"), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(39, 15));
    p.drawLine(QPointF(15, 24), QPointF(39, 24));
    p.drawLine(QPointF(15, 33), QPointF(30, 33));

    moneta(p, {42, 44}, 13, "#f2b705", "#8a6500", "#5c4300", QStringLiteral("€"), 17, 50);
    moneta(p, {22, 50}, 9, "#7fb069", "#3d6b2a", "#24431a", QStringLiteral("$"), 13, 55);
    return immagine;
}

QIcon icona()
{
    QIcon risultato;
    for (int lato : kLati)
        risultato.addPixmap(QPixmap::fromImage(disegna(lato)));
    return risultato;
}

QByteArray fileIco()
{
    std::array<QByteArray, kLati.size()> immagini;
    for (std::size_t i = 0; i < kLati.size(); ++i) {
        QBuffer buffer(&immagini[i]);
        buffer.open(QIODevice::WriteOnly);
        disegna(kLati[i]).save(&buffer, "PNG");
    }
    // ICONDIR, then one ICONDIRENTRY per image, then the images; a side of 256 is written 0.
    QByteArray ico;
    scriviLe16(ico, 0);
    scriviLe16(ico, 1);
    scriviLe16(ico, static_cast<int>(kLati.size()));
    qint64 posizione = 6 + 16 * static_cast<qint64>(kLati.size());
    for (std::size_t i = 0; i < kLati.size(); ++i) {
        const char lato = static_cast<char>(kLati[i] % 256);
        ico.append(lato).append(lato).append('\0').append('\0');
        scriviLe16(ico, 1);  // colour planes
        scriviLe16(ico, 32); // bits per pixel
        scriviLe32(ico, immagini[i].size());
        scriviLe32(ico, posizione);
        posizione += immagini[i].size();
    }
    for (const QByteArray& immagine : immagini)
        ico += immagine;
    return ico;
}

} // namespace IconaProgramma
