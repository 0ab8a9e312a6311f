#include "unpack/zip/ZipCrypto.h"

#include <zlib.h>

namespace zip {
namespace {

uint32_t Crc32Byte(uint32_t crc, uint8_t b)
{
    static const z_crc_t* const table = get_crc_table();
    return static_cast<uint32_t>(table[(crc ^ b) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

TraditionalKeys::TraditionalKeys(std::string_view password)
{
    for (char c : password)
        Update(static_cast<uint8_t>(c));
}

void TraditionalKeys::Update(uint8_t plain)
{
    m_nKey0 = Crc32Byte(m_nKey0, plain);
    m_nKey1 = (m_nKey1 + (m_nKey0 & 0xFF)) * 134775813u + 1;
    m_nKey2 = Crc32Byte(m_nKey2, static_cast<uint8_t>(m_nKey1 >> 24));
}

uint8_t TraditionalKeys::Decrypt(uint8_t cipher)
{
    // In unsigned 32-bit arithmetic: two 16-bit values promoted to int would overflow the product.
    const uint32_t temp = (m_nKey2 | 2) & 0xFFFF;
    const uint8_t plain = cipher ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
    Update(plain);
    return plain;
}

}  // namespace zip
