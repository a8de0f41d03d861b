#include "TestDecks.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>

namespace testdecks {

QColor pageColour(int page)
{
    // Well apart in hue so neighbouring pages never look alike.
    return QColor::fromHsv((page * 47) % 360, 200, 220);
}

bool writePdf(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(254, 142.875), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        const QRect area = painter.viewport();
        painter.fillRect(area, pageColour(page));
        QFont font = painter.font();
        font.setPixelSize(area.height() / 8);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(area.adjusted(0, 0, 0, -area.height() / 2), Qt::AlignCenter,
                         QString::number(page + 1));
    }
    return painter.end();
}

bool writeFlatOdp(const QString& path, int slides, const QSet<int>& hidden)
{
    QString pages;
    for (int i = 1; i <= slides; ++i) {
        pages += QStringLiteral(
                     "<draw:page draw:name=\"p%1\" draw:style-name=\"%2\" draw:master-page-name=\"Default\">"
                     "<draw:frame draw:style-name=\"gr1\" svg:x=\"2cm\" svg:y=\"5cm\" svg:width=\"24cm\" "
                     "svg:height=\"5cm\"><draw:text-box><text:p text:style-name=\"P1\">Slide %1</text:p>"
                     "</draw:text-box></draw:frame></draw:page>\n")
                     .arg(i)
                     .arg(hidden.contains(i) ? QStringLiteral("dpHidden") : QStringLiteral("dp1"));
    }
    const QString document = QStringLiteral(
                                 R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:automatic-styles>
<style:page-layout style:name="PM1"><style:page-layout-properties fo:margin-top="0cm" fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="28cm" fo:page-height="15.75cm" style:print-orientation="landscape"/></style:page-layout>
<style:style style:name="dp1" style:family="drawing-page"><style:drawing-page-properties presentation:visibility="visible" draw:fill="solid" draw:fill-color="#ffffff"/></style:style>
<style:style style:name="dpHidden" style:family="drawing-page"><style:drawing-page-properties presentation:visibility="hidden" draw:fill="solid" draw:fill-color="#ffffff"/></style:style>
<style:style style:name="gr1" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="none"/></style:style>
<style:style style:name="P1" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/><style:text-properties fo:font-size="48pt"/></style:style>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Default" style:page-layout-name="PM1" draw:style-name="dp1"/></office:master-styles>
<office:body><office:presentation>
%1</office:presentation></office:body></office:document>
)")
                                 .arg(pages);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(document.toUtf8()) > 0;
}

bool writeBusyFlatOdp(const QString& path, int slides)
{
    QString picture;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            picture += QStringLiteral("<draw:ellipse draw:style-name=\"g%1\" svg:x=\"%2cm\" svg:y=\"%3cm\" "
                                      "svg:width=\"2.6cm\" svg:height=\"1.8cm\"/>")
                           .arg((row + column) % 6)
                           .arg(0.6 + column * 3.4)
                           .arg(0.6 + row * 2.0);
        }
    }
    QString pages;
    for (int i = 1; i <= slides; ++i) {
        pages +=
            QStringLiteral("<draw:page draw:name=\"p%1\" draw:style-name=\"dp\" draw:master-page-name=\"D\">"
                           "%2<draw:frame svg:x=\"2cm\" svg:y=\"12.5cm\" svg:width=\"24cm\" "
                           "svg:height=\"3cm\"><draw:text-box><text:p>Slide %1</text:p></draw:text-box>"
                           "</draw:frame></draw:page>\n")
                .arg(i)
                .arg(picture);
    }
    QString styles =
        QStringLiteral("<style:style style:name=\"dp\" style:family=\"drawing-page\">"
                       "<style:drawing-page-properties draw:fill=\"solid\" draw:fill-color=\"#ffffff\"/>"
                       "</style:style>");
    for (int k = 0; k < 6; ++k) {
        styles += QStringLiteral(
                      "<style:style style:name=\"g%1\" style:family=\"graphic\">"
                      "<style:graphic-properties draw:fill=\"solid\" draw:fill-color=\"%2\"/></style:style>")
                      .arg(k)
                      .arg(QColor::fromHsv(k * 60, 180, 220).name());
    }
    const QString document = QStringLiteral(
                                 R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:automatic-styles><style:page-layout style:name="PM"><style:page-layout-properties fo:page-width="28cm" fo:page-height="15.75cm"/></style:page-layout>%1</office:automatic-styles>
<office:master-styles><style:master-page style:name="D" style:page-layout-name="PM"/></office:master-styles>
<office:body><office:presentation>%2</office:presentation></office:body></office:document>
)")
                                 .arg(styles, pages);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(document.toUtf8()) > 0;
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace testdecks
