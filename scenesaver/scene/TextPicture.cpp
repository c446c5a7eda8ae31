#include "platform/Drawing.h"
#include "platform/TextCodec.h"
#include "scene/FontMapping.h"
#include "scene/PictureItem.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <vector>

namespace {

// Larger text bitmaps are refused rather than allocated.
constexpr int MAX_TEXT_EXTENT = 16384;

struct TextLine {
    std::string drawn;    // the whole line without its line break
    std::string measured; // up to the character before the LF
};

// Lines end at each LF. The width of a line is measured without the
// character before its LF, which is the CR of a CR LF break; the last line
// is measured to the end of the text.
std::vector<TextLine> CutLines(const std::string& text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        const std::string line = text.substr(start, lf - start);
        const std::size_t measuredLength = lf > start ? lf - start - 1 : 0;
        std::string drawn = line;
        if (!drawn.empty() && drawn.back() == '\r') {
            drawn.pop_back();
        }
        lines.push_back({drawn, line.substr(0, measuredLength)});
        start = lf + 1;
    }
    const std::string last = text.substr(start);
    lines.push_back({last, last});
    return lines;
}

} // namespace

bool CPictureItem::Render(const std::string& given) {
    // Fonts need the application's font database.
    if (QGuiApplication::instance() == nullptr) {
        return false;
    }
    const std::string& text = given.empty() ? m_text : given;
    const QFont font = FontFromLogFont(m_font);
    const QFontMetrics metrics(font);
    const std::vector<TextLine> lines = CutLines(text);
    std::int64_t width = 0;
    for (const TextLine& line : lines) {
        width = std::max<std::int64_t>(width,
                                       metrics.horizontalAdvance(FromWindows1252(line.measured)));
    }
    const std::int64_t lineHeight = metrics.height();
    const std::int64_t height = static_cast<std::int64_t>(lines.size()) * lineHeight;
    if (width <= 0 || height <= 0 || width > MAX_TEXT_EXTENT || height > MAX_TEXT_EXTENT) {
        return false;
    }
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    const QRgb paper = ColorRefToRgb(m_opaque ? m_backgroundColor : KEY_COLOR);
    QImage image = MakeBitmap(size, paper);
    if (image.isNull()) {
        return false;
    }
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor(ColorRefToRgb(m_textColor)));
        int y = metrics.ascent();
        for (const TextLine& line : lines) {
            painter.drawText(QPoint(0, y), FromWindows1252(line.drawn));
            y += static_cast<int>(lineHeight);
        }
    }
    m_bitmap.image = image;
    m_bitmap.dimension = size;
    m_icon = QImage();
    return true;
}

bool CPictureItem::ShowNextCharacter(CDC& dc, CSceneThread& thread, std::size_t& position) {
    while (position < m_text.size() && (m_text[position] == '\r' || m_text[position] == '\n')) {
        ++position;
    }
    if (position < m_text.size()) {
        if (!Render(m_text.substr(0, position + 1))) {
            return false;
        }
        const bool shown = Show(dc, thread);
        return shown && position + 1 < m_text.size();
    }
    if (Render({})) {
        Show(dc, thread);
    }
    return false;
}
