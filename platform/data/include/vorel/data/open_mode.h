// Open modes of a table file: the access the opener wants and what it denies to other openers, as one
// byte (the low half the access, the high half the sharing):
//
//   access   0x00 read only   0x01 write only   0x02 read and write
//   sharing  0x10 deny all    0x20 deny write   0x30 deny read    0x40 deny none
//
// 0x42 (66) is the ordinary shared open; 0x22 (34) reads and writes while no one else may write;
// 0x12 (18) is exclusive; 0x40 (64) reads alongside anyone. A sharing half of 0 counts as deny write.
// Refusals hold between FileManagers of one thread, between threads and between processes
// (FileManager::open(mode): 32 when another opener's mode excludes this one). A read-only open
// refuses writes (5).
#pragma once

#include <cstdint>

namespace vorel::data::open_mode {

inline constexpr std::uint8_t kReadOnly = 0x00;
inline constexpr std::uint8_t kWriteOnly = 0x01;
inline constexpr std::uint8_t kReadWrite = 0x02;
inline constexpr std::uint8_t kDenyAll = 0x10;
inline constexpr std::uint8_t kDenyWrite = 0x20;
inline constexpr std::uint8_t kDenyRead = 0x30;
inline constexpr std::uint8_t kDenyNone = 0x40;

inline constexpr std::uint8_t kShared = kReadWrite | kDenyNone;     // 66
inline constexpr std::uint8_t kExclusive = kReadWrite | kDenyAll;   // 18

inline constexpr bool reads(std::uint8_t mode) { return (mode & 0x0F) != kWriteOnly; }
inline constexpr bool writes(std::uint8_t mode) { return (mode & 0x0F) != kReadOnly; }
inline constexpr bool denies_read(std::uint8_t mode) {
    return (mode & 0xF0) == kDenyAll || (mode & 0xF0) == kDenyRead;
}
inline constexpr bool denies_write(std::uint8_t mode) {
    return (mode & 0xF0) == kDenyAll || (mode & 0xF0) == kDenyWrite || (mode & 0xF0) == 0;
}

}  // namespace vorel::data::open_mode
