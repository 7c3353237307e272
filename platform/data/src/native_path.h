// Program paths ("C:\Vorel\BComuns\Empresas.Tps") to native paths, resolved without regard to case.
#pragma once

#include <filesystem>
#include <string_view>

namespace vorel::data {

std::filesystem::path native_path(std::string_view program_path);

}  // namespace vorel::data
