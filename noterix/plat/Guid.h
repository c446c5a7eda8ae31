#pragma once

#include <array>
#include <cstdint>

namespace plat {

// A 16-byte identifier; all zero means "none".
class Guid {
public:
    Guid() = default;
    explicit Guid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    bool IsSet() const;
    bool Equals(const Guid& other) const { return bytes_ == other.bytes_; }
    bool operator==(const Guid& other) const { return Equals(other); }
    // Asks the system generator for a fresh value; keeps the old value and
    // returns false when no generator is available.
    bool Create();

    const std::array<std::uint8_t, 16>& Bytes() const { return bytes_; }
    std::array<std::uint8_t, 16>& Bytes() { return bytes_; }

private:
    std::array<std::uint8_t, 16> bytes_{};
};

// Where fresh identifiers come from. The Linux back-end uses libuuid; tests
// install one that fails or counts.
class GuidImp {
public:
    virtual ~GuidImp() = default;
    virtual bool Generate(std::array<std::uint8_t, 16>& out) = 0;

    static GuidImp& Get();
    // Installs a different generator (not owned); null restores the default.
    static void Install(GuidImp* generator);
};

} // namespace plat
