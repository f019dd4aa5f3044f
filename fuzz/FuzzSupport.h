#pragma once

// What every fuzz target shares: the entry point libFuzzer calls, a check
// that stops the run on a broken promise of the core, and a reader that cuts
// the fuzzer's bytes into the arguments a target needs.

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Aborts, so that both libFuzzer and the replay test report the input.
#define QW_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace qw::fuzz {

// Takes the input from the front: single bytes for choices, then the rest
// (or a part of it up to a separator byte) as text.
class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), qsizetype(size))
    {}

    bool empty() const { return m_bytes.isEmpty(); }

    // The next byte, 0 when none is left.
    std::uint8_t byte()
    {
        if (m_bytes.isEmpty())
            return 0;
        const auto b = static_cast<std::uint8_t>(m_bytes.front());
        m_bytes = m_bytes.sliced(1);
        return b;
    }

    // The bytes up to the next separator (dropped), or all that is left.
    QByteArrayView part(char separator)
    {
        const qsizetype at = m_bytes.indexOf(separator);
        const QByteArrayView result = at < 0 ? m_bytes : m_bytes.first(at);
        m_bytes = at < 0 ? QByteArrayView() : m_bytes.sliced(at + 1);
        return result;
    }

    QByteArrayView rest()
    {
        const QByteArrayView result = m_bytes;
        m_bytes = {};
        return result;
    }

private:
    QByteArrayView m_bytes;
};

// Bytes as text in one of three readings chosen by `how`: UTF-8 (what a
// dictionary of markup reaches best), Latin-1 (every byte one character,
// CR and LF included) and raw UTF-16 (lone surrogates and any code unit).
inline QString textOf(QByteArrayView bytes, std::uint8_t how)
{
    switch (how % 3) {
    case 0:
        return QString::fromUtf8(bytes);
    case 1:
        return QString::fromLatin1(bytes);
    default:
        return QString(reinterpret_cast<const QChar*>(bytes.data()), bytes.size() / 2);
    }
}

} // namespace qw::fuzz
