#include "PictureBytes.h"

#include "PlotModule.h"

#include <concepts>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

namespace ppspin {

namespace {

template <typename T, typename U>
concept Of = std::same_as<std::remove_const_t<T>, U>;

// Every member of each struct, in order, for the writer and the reader
// alike. The bindings name them all: a member added to a struct stops the
// build here until it is carried across too.
template <typename Io, Of<TRunInput> T> void Members(Io& io, T& x) {
    auto& [a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t] = x;
    io(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t);
}
template <typename Io, Of<TProfilePoint> T> void Members(Io& io, T& x) {
    auto& [a, b, c, d, e, f, g, h, i, j] = x;
    io(a, b, c, d, e, f, g, h, i, j);
}
template <typename Io, Of<TProfileSnapshot> T> void Members(Io& io, T& x) {
    auto& [a, b, c, d, e] = x;
    io(a, b, c, d, e);
}
// As EncodePicture writes a profile picture: its run is there or not, as an
// optional's value is.
template <typename Io, Of<TDecodedProfile> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TMeasuredMarkers> T> void Members(Io& io, T& x) {
    auto& [a, b, c] = x;
    io(a, b, c);
}
template <typename Io, Of<TResidualSeries> T> void Members(Io& io, T& x) {
    auto& [a, b, c] = x;
    io(a, b, c);
}
template <typename Io, Of<TResidualPlot> T> void Members(Io& io, T& x) {
    auto& [a, b, c] = x;
    io(a, b, c);
}
template <typename Io, Of<TSummarySeries> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TSummaryPlot> T> void Members(Io& io, T& x) {
    auto& [a, b, c, d] = x;
    io(a, b, c, d);
}
template <typename Io, Of<TGridCell> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TGridOutput> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TGridMaps> T> void Members(Io& io, T& x) {
    auto& [a, b, c, d, e, f, g] = x;
    io(a, b, c, d, e, f, g);
}
template <typename Io, Of<TSensitivity> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TTornadoOutput> T> void Members(Io& io, T& x) {
    auto& [a, b] = x;
    io(a, b);
}
template <typename Io, Of<TTornado> T> void Members(Io& io, T& x) {
    auto& [a, b, c] = x;
    io(a, b, c);
}

template <typename T> constexpr bool IsOptional = false;
template <typename T> constexpr bool IsOptional<std::optional<T>> = true;
template <typename T> constexpr bool IsVector = false;
template <typename T> constexpr bool IsVector<std::vector<T>> = true;

using TSize = std::uint64_t;

class TWriter {
  public:
    explicit TWriter(TPictureKind kind) {
        Put(std::int32_t{PlotModuleVersion});
        Put(kind);
    }
    template <typename... T> void operator()(const T&... values) { (Put(values), ...); }
    TPictureBytes Bytes;

  private:
    void Raw(const void* data, std::size_t size) {
        const auto* b = static_cast<const unsigned char*>(data);
        Bytes.insert(Bytes.end(), b, b + size);
    }
    template <typename T> void Put(const T& v) {
        if constexpr (std::is_arithmetic_v<T>) {
            Raw(&v, sizeof v);
        } else if constexpr (std::is_enum_v<T>) {
            Put(static_cast<std::int32_t>(v));
        } else if constexpr (std::is_same_v<T, std::string>) {
            Put(TSize{v.size()});
            Raw(v.data(), v.size());
        } else if constexpr (IsOptional<T>) {
            Put(v.has_value());
            if (v)
                Put(*v);
        } else if constexpr (IsVector<T>) {
            Put(TSize{v.size()});
            for (const auto& e : v)
                Put(e);
        } else {
            Members(*this, v);
        }
    }
};

// Stops at the first value the bytes do not hold whole, and takes no size
// larger than the bytes left could hold.
class TReader {
  public:
    TReader(const unsigned char* bytes, std::size_t size) : At(bytes), Left(size) {}
    template <typename... T> void operator()(T&... values) { (Get(values), ...); }
    // The bytes hold a picture of kind, and nothing after it.
    bool Kind(TPictureKind& kind) {
        std::int32_t version = 0;
        Get(version);
        Get(kind);
        return Good && version == PlotModuleVersion;
    }
    bool Whole() const { return Good && Left == 0; }

  private:
    void Raw(void* data, std::size_t size) {
        if (!Good || size > Left) {
            Good = false;
            return;
        }
        std::memcpy(data, At, size);
        At += size;
        Left -= size;
    }
    // Each element takes a byte at least.
    bool Count(std::size_t& n) {
        TSize size = 0;
        Get(size);
        Good = Good && size <= Left;
        n = Good ? static_cast<std::size_t>(size) : 0;
        return Good;
    }
    template <typename T> void Get(T& v) {
        if constexpr (std::is_same_v<T, bool>) {
            unsigned char b = 0;
            Raw(&b, 1);
            Good = Good && b <= 1;
            v = b == 1;
        } else if constexpr (std::is_arithmetic_v<T>) {
            Raw(&v, sizeof v);
        } else if constexpr (std::is_enum_v<T>) {
            std::int32_t i = 0;
            Get(i);
            v = static_cast<T>(i);
        } else if constexpr (std::is_same_v<T, std::string>) {
            std::size_t n = 0;
            if (Count(n)) {
                v.assign(reinterpret_cast<const char*>(At), n);
                At += n;
                Left -= n;
            }
        } else if constexpr (IsOptional<T>) {
            bool present = false;
            Get(present);
            v.reset();
            if (present)
                Get(v.emplace());
        } else if constexpr (IsVector<T>) {
            std::size_t n = 0;
            Count(n);
            v.assign(n, {});
            for (auto& e : v)
                Get(e);
        } else {
            Members(*this, v);
        }
    }

    const unsigned char* At;
    std::size_t Left;
    bool Good = true;
};

template <typename Data> TPictureBytes Encode(TPictureKind kind, const Data& data) {
    TWriter writer(kind);
    writer(data);
    return std::move(writer.Bytes);
}

template <typename Data>
bool Decode(const unsigned char* bytes, std::size_t size, TPictureKind kind, Data& data) {
    TReader reader(bytes, size);
    TPictureKind read{};
    if (!reader.Kind(read) || read != kind)
        return false;
    reader(data);
    return reader.Whole();
}

} // namespace

TPictureBytes EncodePicture(const TProfilePicture& picture) {
    const auto& [profile, markers] = picture;
    TWriter writer(TPictureKind::Profile);
    writer(profile != nullptr);
    if (profile != nullptr)
        writer(*profile);
    writer(markers);
    return std::move(writer.Bytes);
}

TPictureBytes EncodePicture(const TResidualPlot& plot) {
    return Encode(TPictureKind::Residuals, plot);
}

TPictureBytes EncodePicture(const TSummaryPlot& plot) {
    return Encode(TPictureKind::Summary, plot);
}

TPictureBytes EncodePicture(const TGridMaps& maps) {
    return Encode(TPictureKind::GridMaps, maps);
}

TPictureBytes EncodePicture(const TTornado& tornado) {
    return Encode(TPictureKind::Tornado, tornado);
}

std::optional<TPictureKind> PictureKindOf(const unsigned char* bytes, std::size_t size) {
    TReader reader(bytes, size);
    TPictureKind kind{};
    if (!reader.Kind(kind))
        return std::nullopt;
    return kind;
}

bool DecodePicture(const unsigned char* bytes, std::size_t size, TDecodedProfile& picture) {
    return Decode(bytes, size, TPictureKind::Profile, picture);
}

bool DecodePicture(const unsigned char* bytes, std::size_t size, TResidualPlot& plot) {
    return Decode(bytes, size, TPictureKind::Residuals, plot);
}

bool DecodePicture(const unsigned char* bytes, std::size_t size, TSummaryPlot& plot) {
    return Decode(bytes, size, TPictureKind::Summary, plot);
}

bool DecodePicture(const unsigned char* bytes, std::size_t size, TGridMaps& maps) {
    return Decode(bytes, size, TPictureKind::GridMaps, maps);
}

bool DecodePicture(const unsigned char* bytes, std::size_t size, TTornado& tornado) {
    return Decode(bytes, size, TPictureKind::Tornado, tornado);
}

} // namespace ppspin
