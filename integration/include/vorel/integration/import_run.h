// One text import's run, the steps every fixed-width import shares: the read (the user's file
// through the text-line table, each line cut by the layout, converted, checked and staged, all in
// one transaction on the run's own staging file) and the import (the staged records copied into
// the target in one transaction whose commit is checked). An importer names its tables
// (`TabelasImportacao`: staging alias, registers read, tables written, staging key) and supplies its
// mapping and checks (`PreencheLinha`, `DepoisDeAdicionar`) and its writes per record
// (`ImportaRegistro`).
//
// Rules every importer gets from here:
// - the staging file is emptied at each read, so a line read twice is never stored twice;
// - every line's month is checked: the read stops at the first line of another month (that line
//   stays staged), and such a read, an empty one, a stopped one or a failed one cannot be imported;
// - the user's file is only read (never written, moved or deleted);
// - the import of movements holds the month against its computation (month_exclusion.h): while
//   the month is computed the import is refused and writes nothing;
// - the import is all or nothing: a write or the commit that fails rolls everything back and the
//   result says so; `importados` counts only committed records;
// - an import of invoice items marks the month's balance row of every product and rate it wrote
//   (`MarcaSaldo`; vorel/fiscal/saldo_do_mes.h), once each, in the same transaction, as the movement
//   forms mark the items they save: the next computation takes those products again.
//
//     ImportacaoSaidas run;                   // importa_saidas.h
//     if (auto erro = run.Abre(); !erro.empty()) ...
//     ResultadoLeitura r = run.Le({arquivo, layout, utiliza, mes, ano, {}, empresa});
//     if (r.PodeImportar()) ResultadoImportacao i = run.Importa(mes);
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/data/key_name.h"
#include "vorel/integration/text_import.h"

namespace vorel::data {
struct TableDesc;
}

namespace vorel::integration {

struct OpcoesLeitura {
    std::string arquivo;  // program path of the chosen file (Windows-1252)
    int layout = 0;       // LAY:Codigo
    int utiliza = 1;      // product matching: 1 by code, otherwise by nickname
    int mes = 0;          // the working month and year (GLO:MES, GLO:ANO)
    int ano = 0;
    Posicoes posicoes{};  // a fixed layout (index = field code); empty: the stored layout `layout`
    std::uint32_t empresa = 0;  // the working company (GLO:EMPRESA_CODIGO), whose month an import holds
};

// Called after each line or record with the count so far; false stops the run.
using Progresso = std::function<bool(long)>;

struct ResultadoLeitura {
    long linhas = 0;      // lines read (LOC:CONT)
    long preparados = 0;  // records staged and committed
    std::vector<std::string> erros;  // the problem list (Windows-1252)
    bool mesDiferente = false;        // stopped at a line of another month
    std::uint32_t notaMesDiferente = 0;
    bool linhaFatal = false;          // stopped at a line the importer cannot take (no chassis)
    std::uint32_t notaFatal = 0;
    bool recusada = false;            // a line withholds the import (a balance of another year)
    bool interrompida = false;        // stopped by the caller
    bool vazio = false;               // the file holds no line ("Arquivo vazio")
    data::Result falha;               // a file that could not be read or written (nothing staged)
    bool PodeImportar() const {
        return falha.ok() && !mesDiferente && !linhaFatal && !recusada && !interrompida && preparados > 0;
    }
};

struct ResultadoImportacao {
    long importados = 0;  // records committed into the target
    std::vector<std::string> erros;  // records the target refused and left out (Windows-1252)
    bool interrompida = false;
    data::Result falha;   // the failed write or commit (everything rolled back)
    std::string recusa;   // the month is being computed: nothing was written (UTF-8, names the run)
    bool ok() const { return falha.ok() && !interrompida && recusa.empty(); }
};

// What a run reads and writes: the staging alias its lines go to, the registers the read looks up
// (opened for the read, closed after it), the tables the import writes (opened here, in one
// transaction, the target first) and the target's key in whose order the import reads the staged
// records (the alias keeps its base's keys).
struct TabelasImportacao {
    const data::TableDesc& staging;
    std::vector<const data::TableDesc*> leitura;
    std::vector<const data::TableDesc*> importacao;
    data::KeyName chave;
};

class ImportacaoTexto {
public:
    ImportacaoTexto(int tipo, int capacidade, const TabelasImportacao& tabelas);
    virtual ~ImportacaoTexto();
    ImportacaoTexto(const ImportacaoTexto&) = delete;
    ImportacaoTexto& operator=(const ImportacaoTexto&) = delete;

    // Takes the run's staging file; an error text for the user (UTF-8) when it cannot.
    std::string Abre();
    // Closes and deletes the staging file (the destructor does it too).
    void Fecha() { preparacao_.Fecha(); }
    ResultadoLeitura Le(const OpcoesLeitura& opcoes, const Progresso& progresso = {});
    ResultadoImportacao Importa(int mesImpor, const Progresso& progresso = {});

    // The target's file as it was when the window opened (the year folder of the company then in
    // force); empty: the name the target's table holds when the import runs.
    void FixaAlvo(std::string caminho) { alvos_ = {std::move(caminho)}; }
    // The same for the first tables the import writes, in their order.
    void FixaAlvos(std::vector<std::string> caminhos) { alvos_ = std::move(caminhos); }

    // Copies every staged record, in the staging key's order, into the import's tables, which the
    // caller holds open in its transaction; `feitos` counts the records copied and a false from
    // `progresso` sets `interrompida` and stops. The first failure.
    data::Result CopiaPreparados(int mesImpor, const Progresso& progresso, long& feitos, bool& interrompida);
    // Writes the balance marks of the records the last `CopiaPreparados` copied (`MarcaSaldo`), into
    // the open `SaldosVorel` of the caller's transaction. `Importa` does it for its own records; a
    // run whose records another run's import copies is called there.
    data::Result GravaMarcas();

    // Told true before the read's staging or the import commits and false after (the window's
    // wait message).
    void AvisoGravacao(std::function<void(bool)> aviso) { aviso_ = std::move(aviso); }

    data::FileManager& staging() { return preparacao_.tabela(); }
    int tipo() const { return tipo_; }
    // The options of the last read (the working year the import stamps with).
    const OpcoesLeitura& Opcoes() const { return opcoes_; }

protected:
    struct DadosLinha {
        int mes = 0;
        std::uint32_t numero = 0;
        bool fatal = false;  // the read stops after this line (a line of another month stops first)
        bool recusa = false; // the read goes on but cannot be imported
    };
    // A read begins: the caches that live for one read are emptied (none by default).
    virtual void NovaLeitura() {}
    // Fills the cleared staging buffer from the line, with the checks that come before the add.
    virtual DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) = 0;
    // The checks that come after the add (none by default).
    virtual void DepoisDeAdicionar(LinhaImportada& /*linha*/) {}
    // Copies the staging buffer into the target and writes what goes with it; the first failure.
    virtual data::Result ImportaRegistro(int mesImpor) = 0;
    // Registers stage a code once: a line whose staging key repeats one already staged is left
    // out of the staging file without a word. Movements stage every line.
    virtual bool IgnoraRepetidas() const { return false; }
    // Whether the import writes the month's movements (registers do not): it then holds the
    // working month against its computation (month_exclusion.h) while it writes.
    virtual bool GravaMovimentos() const { return true; }
    // The import's tables are open in its transaction: what the records' writes start from.
    virtual data::Result ComecaImportacao() { return data::kNoError; }
    // The staged records are copied, the transaction not yet committed: what goes in with them.
    virtual data::Result TerminaImportacao(int /*mesImpor*/, const Progresso& /*progresso*/, long& /*feitos*/,
                                           bool& /*interrompida*/) {
        return data::kNoError;
    }
    // A staged record the import leaves out, named in the import's problem list.
    void ListaImportacao(std::string texto);
    // The item just written marks its product's balance row of the import's month at its rate
    // (written once per product and rate before the commit). The importer lists `SaldosVorel`
    // among the tables it writes.
    void MarcaSaldo(const Decimal& produto, const Decimal& aliquota) { marcas_.emplace(produto, aliquota); }

private:
    int tipo_;
    int capacidade_;
    Preparacao preparacao_;
    std::vector<const data::TableDesc*> leitura_;
    std::vector<const data::TableDesc*> importacao_;
    int chave_;  // a key index of the staging table
    std::vector<std::string> alvos_;
    OpcoesLeitura opcoes_;
    std::function<void(bool)> aviso_;
    std::vector<std::string> errosImportacao_;
    std::set<std::pair<Decimal, Decimal>> marcas_;  // (product, rate) of the items written
};

}  // namespace vorel::integration
