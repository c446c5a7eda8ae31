#include "platform/Drawing.h"
#include "platform/TextDrawing.h"
#include "scene/FontMapping.h"
#include "scene/PictureItem.h"

#include <algorithm>
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
    if (!CanDrawText()) {
        return false;
    }
    const std::string& text = given.empty() ? m_text : given;
    const TextFont font = TextFontFromLogFont(m_font);
    const std::vector<TextLine> lines = CutLines(text);
    std::int64_t width = 0;
    std::vector<std::string> drawn;
    for (const TextLine& line : lines) {
        width = std::max<std::int64_t>(width, TextWidth(font, line.measured));
        drawn.push_back(line.drawn);
    }
    const std::int64_t height = static_cast<std::int64_t>(lines.size()) * TextLineHeight(font);
    if (width <= 0 || height <= 0 || width > MAX_TEXT_EXTENT || height > MAX_TEXT_EXTENT) {
        return false;
    }
    const QRgb paper = ColorRefToRgb(m_opaque ? m_backgroundColor : KEY_COLOR);
    QImage image =
        DrawTextLines(font, drawn, QSize(static_cast<int>(width), static_cast<int>(height)),
                      ColorRefToRgb(m_textColor), paper);
    if (image.isNull()) {
        return false;
    }
    // A turned text is as large as the turned block.
    m_bitmap.dimension = image.size();
    m_bitmap.image = std::move(image);
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
