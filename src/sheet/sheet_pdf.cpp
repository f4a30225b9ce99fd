#include "sheet/sheet_pdf.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdlib>

#include "storage/text_file.h"

namespace rvm46::sheet {

namespace {

QString Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

QString SheetHtml(const ui::ChannelSheet& sheet) {
    QString html = "<html><body>";
    html += "<h2>" + Html(sheet.title) + "</h2>";
    html += "<table cellspacing='0' cellpadding='2'>";
    for (const auto& [caption, value] : sheet.facts) {
        html += "<tr><td><b>" + Html(caption) + "</b></td><td>" + Html(value) + "</td></tr>";
    }
    html += "</table><p></p>";
    html +=
        "<table border='1' cellspacing='0' cellpadding='4' width='100%' "
        "style='border-collapse: collapse;'><tr>";
    for (const std::string& column : sheet.columns) {
        html += "<th bgcolor='#e8e8e8'>" + Html(column) + "</th>";
    }
    html += "</tr>";
    for (const auto& row : sheet.rows) {
        html += "<tr>";
        for (std::size_t c = 0; c < row.size(); ++c) {
            html += QString(c == 0 ? "<td align='right'>" : "<td align='center'>") + Html(row[c]) +
                    "</td>";
        }
        html += "</tr>";
    }
    html += "</table>";
    html += "<h3>" + Html(sheet.settingsTitle) + "</h3><table cellspacing='0' cellpadding='2'>";
    for (const auto& [caption, value] : sheet.settings) {
        html += "<tr><td>" + Html(caption) + "</td><td width='24'></td><td><b>" + Html(value) +
                "</b></td></tr>";
    }
    html += "</table><p></p><hr/><p><small>" + Html(sheet.footer) + "</small></p>";
    html += "</body></html>";
    return html;
}

// The language's own face: the installed Chinese font for Chinese, a plain sans for English.
QFont SheetFont(int language) {
    QFont font;
    font.setFamilies(language == 1 ? QStringList{"WenQuanYi Zen Hei", "Noto Sans CJK SC"}
                                   : QStringList{"Liberation Sans", "DejaVu Sans"});
    font.setPointSizeF(10);
    return font;
}

}  // namespace

void PaintSheet(const ui::ChannelSheet& sheet, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QTextDocument document;
    document.setDefaultFont(SheetFont(sheet.language));
    document.setHtml(SheetHtml(sheet));
    document.print(&device);
}

bool WriteSheetPdf(const ui::ChannelSheet& sheet, const std::string& path, std::string* error) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        if (error) *error = "no graphical session to lay the sheet out in";
        return false;
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(sheet.title));
        writer.setCreator(QString::fromStdString(sheet.footer));
        writer.setResolution(600);
        PaintSheet(sheet, writer);
    }
    if (bytes.isEmpty()) {
        if (error) *error = "the sheet could not be laid out";
        return false;
    }
    return storage::WriteTextFile(path, std::string_view(bytes.constData(), bytes.size()), error);
}

GuiSession::GuiSession() {
    if (QCoreApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "rvm46";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
}

GuiSession::~GuiSession() = default;

}  // namespace rvm46::sheet
