#pragma once
// Traditional PKWARE encryption (the "ZipCrypto" stream cipher), decryption side.
#include <cstdint>
#include <string_view>

namespace zip {

class TraditionalKeys {
public:
    explicit TraditionalKeys(std::string_view password = {});
    uint8_t Decrypt(uint8_t cipher);

private:
    void Update(uint8_t plain);
    uint32_t m_nKey0 = 0x12345678, m_nKey1 = 0x23456789, m_nKey2 = 0x34567890;
};

}  // namespace zip
