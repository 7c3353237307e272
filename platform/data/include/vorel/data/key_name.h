// KeyName: the full name of a table's key ("ENT:KEY:NUMERO") as a type of its own.
//
// The calls that find a key by name (FileManager::get/set/set_at/key_number, View, TableDesc::
// key_index/key) take a KeyName, never a bare string: code names a key through the constants the
// build generates from the dictionary (vorel/dictionary/key_names.h, `dictionary::keys::ENT_KEY_NUMERO`),
// so a misspelt key does not compile. Tables declared by the platform's own tests name their keys
// explicitly, `data::KeyName{"PED:KEY:CODIGO"}`.
#pragma once

#include <string_view>

namespace vorel::data {

class KeyName {
public:
    constexpr explicit KeyName(std::string_view name) noexcept : name_(name) {}
    constexpr std::string_view text() const noexcept { return name_; }

private:
    std::string_view name_;
};

}  // namespace vorel::data
