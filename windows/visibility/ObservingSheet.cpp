#include "windows/visibility/ObservingSheet.h"

#include "astro/CivilTime.h"
#include "presentation/CrescentRow.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Version.h"
#include "windows/visibility/ClassLegend.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChart.h"
#include "windows/visibility/PanelLook.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

namespace vkt {
namespace {

constexpr QColor Ink = colours::Black;
constexpr QColor Faint(0x60, 0x60, 0x60);
constexpr QColor Rule(0xA0, 0xA0, 0xA0);
constexpr QColor HeaderFace(0xE4, 0xE4, 0xE4);
constexpr double kRowHeight = 12;
constexpr double kChartHeight = 250;
constexpr int kYallopColumn = 18;
constexpr int kOdehColumn = 20;

QFont font(double pixels, QFont::Weight weight = QFont::Normal)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(int(pixels));
    f.setWeight(weight);
    return f;
}

// A heading over a part of the sheet; returns the y under it.
double heading(QPainter& p, double y, const QString& text)
{
    p.setFont(font(11, QFont::Bold));
    p.setPen(Ink);
    p.drawText(QRectF(0, y, ObservingSheet::kWidth, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
    return y + 18;
}

} // namespace

ObservingSheet::ObservingSheet(SheetContents contents) : c_(std::move(contents))
{
}

QString ObservingSheet::title() const
{
    const astro::CivilZone zone(c_.place.timeZone);
    return QStringLiteral("%1, %2 újhold").arg(c_.place.name, presentation::dateTimeText(zone, c_.newMoon));
}

void ObservingSheet::paint(QPaintDevice& device) const
{
    QPainter p(&device);
    paint(p, QRectF(0, 0, device.width(), device.height()));
}

void ObservingSheet::paint(QPainter& p, const QRectF& page) const
{
    p.save();
    p.fillRect(page, Qt::white);
    const double scale = std::min(page.width() / kWidth, page.height() / kHeight);
    p.translate(page.topLeft());
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    double y = drawHeading(p, 0);
    y = drawTable(p, y + 8);
    y = drawChart(p, y + 10, kChartHeight);
    drawMap(p, y + 10);

    const astro::CivilZone zone(c_.place.timeZone);
    p.setFont(font(8));
    p.setPen(Faint);
    p.drawText(QRectF(0, kHeight - 12, kWidth, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("VKT %1 – készült %2 (%3)")
                   .arg(QString::fromLatin1(kVersion), presentation::dateTimeText(zone, c_.made),
                        QString::fromLatin1(c_.place.timeZone)));
    p.restore();
}

double ObservingSheet::drawHeading(QPainter& p, double y) const
{
    const astro::CivilZone zone(c_.place.timeZone);
    p.setPen(Ink);
    p.setFont(font(18, QFont::Bold));
    p.drawText(QRectF(0, y, kWidth, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Holdsarló megfigyelőlap"));
    p.setFont(font(10));
    p.drawText(QRectF(0, y, kWidth, 24), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Készült: %1").arg(presentation::dateTimeText(zone, c_.made)));
    y += 28;
    p.setFont(font(11));
    p.drawText(QRectF(0, y, kWidth, 15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Hely: %1; minden időpont e szerint").arg(presentation::placeText(c_.place)));
    y += 16;
    p.setFont(font(11, QFont::Bold));
    p.drawText(QRectF(0, y, kWidth, 15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Újhold: %1").arg(presentation::dateTimeText(zone, c_.newMoon)));
    return y + 16;
}

// The window's table in its columns' proportions, the class cells in their colours with their
// letters, the chart's row framed.
double ObservingSheet::drawTable(QPainter& p, double y) const
{
    const astro::CivilZone zone(c_.place.timeZone);
    const std::vector<int> widths = CrescentTablePanel::columnWidths();
    const double scale = kWidth / std::accumulate(widths.begin(), widths.end(), 0.0);
    const auto row = [&](double top, const QStringList& cells, const astro::CrescentEvening* c) {
        double x = 0;
        for (int column = 0; column < int(cells.size()) && column < int(widths.size()); ++column) {
            const QRectF cell(x, top, widths[std::size_t(column)] * scale, kRowHeight);
            x = cell.right();
            QColor text = Ink;
            if (c && c->moonUp && (column == kYallopColumn || column == kOdehColumn)) {
                const QColor face =
                    column == kYallopColumn ? panelLook::classColour(c->yallop) : panelLook::classColour(c->odeh);
                p.fillRect(cell, face);
                text = panelLook::classLetterColour(face);
            }
            p.setPen(QPen(Rule, 0.5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell);
            p.setPen(text);
            p.drawText(cell.adjusted(2, 0, -2, 0),
                       (column <= 2 ? Qt::AlignLeft : column == kYallopColumn || column == kOdehColumn ? Qt::AlignHCenter
                                                                                                    : Qt::AlignRight) |
                           Qt::AlignVCenter,
                       cells[column]);
        }
    };
    p.fillRect(QRectF(0, y, kWidth, kRowHeight), HeaderFace);
    p.setFont(font(8, QFont::Bold));
    row(y, presentation::crescentRowHeaders(), nullptr);
    y += kRowHeight;
    for (int i = 0; i < int(c_.evenings.size()); ++i) {
        const astro::CrescentEvening& c = c_.evenings[std::size_t(i)];
        p.setFont(font(8, i == c_.selected ? QFont::Bold : QFont::Normal));
        row(y, presentation::crescentRowFields(c, zone), &c);
        if (i == c_.selected) {
            p.setPen(QPen(Ink, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(0, y, kWidth, kRowHeight));
        }
        y += kRowHeight;
    }
    p.setFont(font(8));
    p.setPen(Ink);
    const QString note = QStringLiteral(
        "Y Yallop, O Odeh osztálya; szögek fokban, W' ívpercben, Kor órában. Nap, Hold: -nyugta este, -kelte reggel; "
        "fenn vagy lenn: egész nap a látóhatár fölött vagy alatt. Keretezve: az ábrák estéje (reggele).");
    const QRectF noteArea(0, y + 2, kWidth, 24);
    p.drawText(noteArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note);
    y += 4 + p.boundingRect(noteArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note).height();
    const ClassLegend legend(font(9));
    legend.paint(p, QRectF(0, y, kWidth, legend.heightForWidth(int(kWidth))), Ink);
    return y + legend.heightForWidth(int(kWidth));
}

double ObservingSheet::drawChart(QPainter& p, double y, double height) const
{
    const astro::CivilZone zone(c_.place.timeZone);
    if (c_.selected < 0 || c_.selected >= int(c_.evenings.size())) {
        y = heading(p, y, QStringLiteral("Horizontábra"));
        p.setFont(font(10));
        p.drawText(QRectF(0, y, kWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Ehhez az újholdhoz nincs este vagy reggel, amikor a Hold a Nap után nyugszik "
                                  "(előtte kel): nincs mit ábrázolni."));
        return y + 18;
    }
    const astro::CrescentEvening& c = c_.evenings[std::size_t(c_.selected)];
    y = heading(p, y, QStringLiteral("Horizontábra: %1 %2, a legjobb időpontban (Yallop)")
                          .arg(presentation::dateText(zone, c.dayInstant), presentation::twilightWord(c.twilight)));
    p.save();
    p.translate(0, y);
    p.setClipRect(QRectF(0, 0, kWidth, height));
    HorizonChart(c, zone, PictureLook::Print).paint(p, QSize(int(kWidth), int(height)));
    p.restore();
    return y + height;
}

double ObservingSheet::drawMap(QPainter& p, double y) const
{
    if (!c_.map)
        return y;
    y = heading(p, y, QStringLiteral("Láthatósági térkép: Yallop-zónák %1 %2")
                          .arg(c_.map->evening.date.toString(QStringLiteral("yyyy.MM.dd")),
                               presentation::twilightWord(c_.map->evening.twilight)));
    // As wide as the page allows, the rest of the page high.
    const double room = kHeight - 16 - y;
    const double width = std::min(kWidth, 2 * (room - VisibilityMapPicture::kLegendHeight));
    const QSize size(int(width), int(width / 2) + VisibilityMapPicture::kLegendHeight);
    p.save();
    p.translate((kWidth - width) / 2, y);
    p.setClipRect(QRectF(QPointF(0, 0), size));
    VisibilityMapPicture(*c_.map, c_.place, PictureLook::Print).paint(p, size);
    p.restore();
    return y + size.height();
}

QByteArray ObservingSheet::pdf() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("VKT %1").arg(QString::fromLatin1(kVersion)));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                         QPageLayout::Millimeter));
        paint(writer);
    }
    return bytes;
}

} // namespace vkt
