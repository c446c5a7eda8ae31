#include "content/datafile_writer.h"

#include <allegro.h>

namespace {
void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
}

void put32(std::vector<std::uint8_t>& out, long value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xff));
    }
}
} // namespace

void DatafileWriter::add_bitmap(const std::string& name, BITMAP* bitmap) {
    Object object{name, DAT_BITMAP, {}};
    put16(object.data, 8);
    put16(object.data, bitmap->w);
    put16(object.data, bitmap->h);
    for (int y = 0; y < bitmap->h; ++y) {
        for (int x = 0; x < bitmap->w; ++x) {
            object.data.push_back(static_cast<std::uint8_t>(getpixel(bitmap, x, y)));
        }
    }
    objects_.push_back(std::move(object));
}

void DatafileWriter::add_sprite(const std::string& name, BITMAP* bitmap) {
    RLE_SPRITE* sprite = get_rle_sprite(bitmap);
    Object object{name, DAT_RLE_SPRITE, {}};
    put16(object.data, 8);
    put16(object.data, sprite->w);
    put16(object.data, sprite->h);
    put32(object.data, sprite->size);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(sprite->dat);
    object.data.insert(object.data.end(), bytes, bytes + sprite->size);
    destroy_rle_sprite(sprite);
    objects_.push_back(std::move(object));
}

void DatafileWriter::add_font(const std::string& name, int first,
                              const std::vector<Glyph>& glyphs) {
    Object object{name, DAT_FONT, {}};
    put16(object.data, 0);    // the range-based format
    put16(object.data, 1);    // one range
    object.data.push_back(1); // monochrome
    put32(object.data, first);
    put32(object.data, first + static_cast<long>(glyphs.size()) - 1);
    for (const Glyph& glyph : glyphs) {
        put16(object.data, glyph.width);
        put16(object.data, glyph.height);
        object.data.insert(object.data.end(), glyph.bits.begin(), glyph.bits.end());
    }
    objects_.push_back(std::move(object));
}

void DatafileWriter::add_palette(const std::string& name, const RGB* palette) {
    Object object{name, DAT_PALETTE, {}};
    for (int i = 0; i < PAL_SIZE; ++i) {
        object.data.push_back(palette[i].r);
        object.data.push_back(palette[i].g);
        object.data.push_back(palette[i].b);
        object.data.push_back(0);
    }
    objects_.push_back(std::move(object));
}

void DatafileWriter::add_binary(const std::string& name, std::vector<std::uint8_t> bytes) {
    objects_.push_back(Object{name, DAT_DATA, std::move(bytes)});
}

bool DatafileWriter::write(const std::string& path) const {
    PACKFILE* file = pack_fopen(path.c_str(), F_WRITE_PACKED);
    if (!file) {
        return false;
    }
    pack_mputl(DAT_MAGIC, file);
    pack_mputl(static_cast<long>(objects_.size()), file);
    for (const Object& object : objects_) {
        pack_mputl(DAT_PROPERTY, file);
        pack_mputl(DAT_NAME, file);
        pack_mputl(static_cast<long>(object.name.size()), file);
        pack_fwrite(object.name.data(), static_cast<long>(object.name.size()), file);
        pack_mputl(object.type, file);
        pack_mputl(static_cast<long>(object.data.size()), file); // stored size
        pack_mputl(static_cast<long>(object.data.size()), file); // unpacked size
        pack_fwrite(object.data.data(), static_cast<long>(object.data.size()), file);
    }
    bool ok = !pack_ferror(file);
    return pack_fclose(file) == 0 && ok;
}
