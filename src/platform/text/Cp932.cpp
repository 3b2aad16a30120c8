#include "platform/text/Cp932.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace text {
namespace {

class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv: CP932 is not available");
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// The converter from `from` to `to`, opened once per thread (opening one
// looks the conversion up, which costs more than converting a line) and
// returned in its initial state.
const Iconv &converter(const char *to, const char *from)
{
    struct Open {
        std::string to;
        std::string from;
        std::unique_ptr<Iconv> cd;
    };
    thread_local std::vector<Open> opened;
    for (const Open &o : opened) {
        if (o.to == to && o.from == from) {
            iconv(o.cd->get(), nullptr, nullptr, nullptr, nullptr);
            return *o.cd;
        }
    }
    opened.push_back({to, from, std::make_unique<Iconv>(to, from)});
    return *opened.back().cd;
}

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Converts in; an input sequence that cannot be converted is replaced by
// `replacement` and skipped by `skip(in)` bytes.
QByteArray convert(const char *to, const char *from, const QByteArray &input,
                   const QByteArray &replacement, bool *ok, int unitForSkip, qsizetype *replaced = nullptr)
{
    // The ASCII bytes are the same in UTF-8 and in CP932.
    if (isAscii(input)) {
        if (ok)
            *ok = true;
        return input;
    }
    const Iconv &cd = converter(to, from);
    QByteArray out;
    out.reserve(input.size() * 2 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    bool clean = true;
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, int(outPtr - buffer));
        if (rc == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one character (UTF-8 lead byte plus its
            // continuation bytes, or one byte of CP932).
            clean = false;
            if (replaced)
                ++*replaced;
            out.append(replacement);
            size_t skip = 1;
            if (unitForSkip == 8) {
                while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                    ++skip;
            }
            in += skip;
            inLeft -= skip;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    if (ok)
        *ok = clean;
    return out;
}

using AliasTable = std::array<char16_t, 0x10000>;

// Converts one short input whole; false when any of it does not convert.
bool convertWhole(const Iconv &cd, const QByteArray &input, QByteArray &output)
{
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[16];
    char *out = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) == size_t(-1) || inLeft != 0
        || iconv(cd.get(), nullptr, nullptr, &out, &outLeft) == size_t(-1))
        return false;
    output = QByteArray(buffer, int(out - buffer));
    return true;
}

// For every character of the basic plane that comes back from CP932 as
// another character, that character; 0 elsewhere. Taken from the converter
// itself, so it holds whatever mappings the converter has. One character at
// a time: in one long text every character without a CP932 form makes the
// converter start over, which takes seconds.
std::unique_ptr<AliasTable> makeAliasTable()
{
    auto table = std::make_unique<AliasTable>();
    table->fill(0);
    const Iconv encoder("CP932", "UTF-8");
    const Iconv decoder("UTF-8", "CP932");
    QByteArray cp932;
    QByteArray utf8;
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(u))
            continue;
        const QChar c{char16_t(u)};
        if (!convertWhole(encoder, QString(c).toUtf8(), cp932) || !convertWhole(decoder, cp932, utf8))
            continue;
        const QString back = QString::fromUtf8(utf8);
        if (back.size() == 1 && back.at(0) != c)
            (*table)[u] = back.at(0).unicode();
    }
    return table;
}

const AliasTable &aliasTable()
{
    static const std::unique_ptr<AliasTable> table = makeAliasTable();
    return *table;
}

} // namespace

QChar toCp932Form(QChar c)
{
    const char16_t alias = aliasTable()[c.unicode()];
    return alias ? QChar(alias) : c;
}

QString toCp932Form(const QString &text)
{
    const AliasTable &table = aliasTable();
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t alias = table[out.at(i).unicode()];
        if (alias)
            out[i] = QChar(alias);
    }
    return out;
}

QString fromCp932(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "CP932", bytes, QByteArray("\xEF\xBF\xBD"), nullptr, 1));
}

QByteArray toCp932(const QString &text, bool *ok)
{
    return convert("CP932", "UTF-8", text.toUtf8(), QByteArray("?"), ok, 8);
}

QByteArray toCp932Replacing(const QString &text, qsizetype *replaced)
{
    return utf8ToCp932Replacing(text.toUtf8(), replaced);
}

QByteArray utf8ToCp932Replacing(const QByteArray &utf8, qsizetype *replaced)
{
    qsizetype count = 0;
    QByteArray bytes = convert("CP932", "UTF-8", utf8, QByteArray("?"), nullptr, 8, &count);
    if (replaced)
        *replaced = count;
    return bytes;
}

bool fitsCp932(const QString &text)
{
    bool ok = true;
    toCp932(text, &ok);
    return ok;
}

} // namespace text
