// The audit of the working month's movements (`Auditoria`), without its window: the thirteen tests
// of an item against the registers, and the file of one pass's faulty items.
//
// - `ItemAuditado` is what the tests read of an entry (`EntradaVorel`) or exit (`SaidaVorel`) item;
//   `DaEntrada`/`DaSaida` take it from the record.
// - `CadastrosAuditoria` opens the registers the tests look up (`ForCli`, `Produtos`,
//   `ProdutosAliq`, `Estados`, `CFO`, `CodCFOComplementar`) on the calling thread's dictionary, and
//   `TestaItem` runs the tests in order and returns one line per failed test (Windows-1252, at most
//   seven: within each group of tests only one can fail).
// - `ArquivoErros` is one pass's own file of faulty items: a new temporary name, a cursor of its own
//   opened on that path (the table's name variable, which the item forms' alias cursors and every
//   other window read, is never pointed at it), removed when the last holder lets it go. The audit
//   window keeps the latest of each kind and hands a reference to the reports it starts, so a
//   report still reading the file of an earlier pass keeps it while a new pass writes a new one.
//
//     CadastrosAuditoria cad;
//     if (!cad.Abre().ok()) ...;
//     for (const std::string& linha : TestaItem(DaEntrada(item), Movimento::Entrada, cad, ano)) ...;
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
struct TableDesc;
}
namespace vorel::dictionary {
struct EntradaVorelRec;
struct SaidaVorelRec;
}

namespace vorel::movements {

enum class Movimento { Entrada, Saida };

struct ItemAuditado {
    std::string cnpj;                 // the 14 characters as stored
    std::uint32_t codigoForCli = 0;
    date::Day data = 0;
    std::uint32_t numero = 0;
    unsigned cfo = 0;
    int complemento = 0;
    int cfoComplementar = 0;          // an exit's two characters read as a number
    Decimal produto;
    Decimal aliquota;
    std::string estado;               // the 2 characters as stored
};
ItemAuditado DaEntrada(const dictionary::EntradaVorelRec& r);
ItemAuditado DaSaida(const dictionary::SaidaVorelRec& r);

// The registers the tests read, on cursors of the calling thread's dictionary, open for the
// object's life.
class CadastrosAuditoria {
public:
    CadastrosAuditoria();
    ~CadastrosAuditoria();
    CadastrosAuditoria(const CadastrosAuditoria&) = delete;
    CadastrosAuditoria& operator=(const CadastrosAuditoria&) = delete;

    // The first open that failed (its file in the thread's last error).
    [[nodiscard]] data::Result Abre();

    data::FileManager &forcli, &produtos, &aliquotas, &estados, &cfo, &complementares;

private:
    std::vector<data::FileManager*> abertos_;
};

// The tests 1 to 13 of one item in the working year `ano`: the lines of the failed ones, in order.
std::vector<std::string> TestaItem(const ItemAuditado& item, Movimento tipo, CadastrosAuditoria& cad, int ano);

// One pass's file of faulty items (`EntradaVorel0` or `SaidaVorel0` layout).
class ArquivoErros {
public:
    explicit ArquivoErros(Movimento tipo);
    ~ArquivoErros();  // closes and removes the file
    ArquivoErros(const ArquivoErros&) = delete;
    ArquivoErros& operator=(const ArquivoErros&) = delete;

    // Takes a new temporary name (`NomeArqTemp`) and creates the file empty on this object's own
    // cursor; the engine's error, or kFileNotFound when no name could be taken (`erro()` says why).
    [[nodiscard]] data::Result Cria();
    Movimento tipo() const { return tipo_; }
    const std::string& nome() const { return nome_; }  // program path of the table file
    const std::string& erro() const { return erro_; }  // UTF-8, when Cria failed
    // The cursor on the file (the thread that created it writes and lists through it).
    data::FileManager& tabela() { return *tabela_; }

private:
    Movimento tipo_;
    std::unique_ptr<data::FileManager> tabela_;
    std::string reserva_, nome_, erro_;
};

const data::TableDesc& TabelaDeErros(Movimento tipo);  // EntradaVorel0 or SaidaVorel0

}  // namespace vorel::movements
