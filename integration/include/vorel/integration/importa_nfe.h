// The items step of the NF-e import: the reader's item file of the month ("NFEntrada"/"NFSaida" mm
// yyyy ".txt") read through the text-import engine with the NF-e layouts, after the month question.
//
// - `PreparaItensNfe` copies the item file for the read, asking for every line dated in another
//   month whether to post it in the working month ("Mês da NFe diferente(...)"): No drops the line,
//   Yes dates it the first day of the working month of the working year (entries and exits alike).
// - `ImportacaoNfeEntradas` / `ImportacaoNfeSaidas` are the entry and exit imports (supplier state,
//   product by code through `SomenteDigitos` or by nickname, ICMS rule, the problem list; links,
//   batches, rate history) with one difference: an item already imported (same date, number,
//   series, CFO and product) is replaced, never doubled.
//
//     auto q = PreparaItensNfe(SentidoNfe::Entrada, arquivoDoLeitor, copia, mes, ano, pergunta);
//     ImportacaoNfeEntradas run; run.Abre();
//     auto r = run.Le({copia, 0, utiliza, mes, ano, PosicoesItensNfe(SentidoNfe::Entrada)});
//     if (r.PodeImportar()) run.Importa(mes);
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "vorel/integration/importa_entradas.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/leitor_xml.h"

namespace vorel::integration {

// The question's text (Windows-1252) for a line of another month; true: post it in the working month.
using PerguntaMesNfe = std::function<bool(const std::string& pergunta)>;

struct ItensPreparados {
    long linhas = 0;      // lines of the reader's file
    long descartadas = 0; // lines of another month the user did not move
    std::string falha;    // the copy could not be written (UTF-8); empty when none
};

// Whether a CPF belongs to a person registered in `ForCli` (`FOR:TipoInscricao` 2).
using PessoaNfe = std::function<bool(const std::string& cpf)>;

// Copies `origem` (program path; a missing file has no lines) into `destino` for the read. With
// `pessoa` (exits), a line whose customer is a registered person (CPF in columns 4-14) gets the
// document "0", so its state is the line's.
ItensPreparados PreparaItensNfe(SentidoNfe sentido, const std::string& origem, const std::string& destino, int mes,
                                int ano, const PerguntaMesNfe& pergunta, const PessoaNfe& pessoa = {});

// `PessoaNfe` over the register, on a cursor of its own (opened at construction).
class PessoasRegistradas {
public:
    PessoasRegistradas();
    ~PessoasRegistradas();
    PessoasRegistradas(const PessoasRegistradas&) = delete;
    PessoasRegistradas& operator=(const PessoasRegistradas&) = delete;
    bool operator()(const std::string& cpf);

private:
    std::unique_ptr<data::FileManager> forcli_;
    bool aberto_ = false;
};

class ImportacaoNfeEntradas : public ImportacaoEntradas {
protected:
    data::Result ImportaRegistro(int mesImpor) override;
};

class ImportacaoNfeSaidas : public ImportacaoSaidas {
protected:
    data::Result ImportaRegistro(int mesImpor) override;
};

}  // namespace vorel::integration
