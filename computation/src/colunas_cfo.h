// The print columns of CFOP codes with their complements for a run: each read once from the CFO
// register (blank state) and kept.
#pragma once

#include <map>
#include <optional>

namespace vorel::data {
class FileManager;
}

namespace vorel::computation {

class ColunasDoCfo {
public:
    // `cfo`: the run's open CFO register.
    explicit ColunasDoCfo(data::FileManager& cfo) : cfo_(cfo) {}

    // The register's column of the code and complement; none when the register lacks them.
    std::optional<int> Coluna(int codigo, int complemento);

private:
    data::FileManager& cfo_;
    std::map<int, std::optional<int>> colunas_;  // code * 1000 + complement
};

}  // namespace vorel::computation
