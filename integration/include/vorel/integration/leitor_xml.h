// The NF-e reader (`LeitorXML`): reads a folder of NF-e XML documents (layout 4.00 and older
// layouts that differ only in names; root `NFe` or `nfeProc` in the NF-e namespace, under any
// prefix; no DOCTYPE; models 55 and 65) for one month, direction and company, and writes the
// fixed-width files the NF-e import reads, in that folder, by the layouts of linhas_nfe.h:
//   "CNPJ.txt"                      the company-side document of every document taken
//   "Produtos" mm yyyy ".txt"       one line per product (first occurrence of the run)
//   "Fornecedores" mm yyyy ".txt"   one line per partner (first occurrence of the run)
//   "NFEntrada"/"NFSaida" mm yyyy ".txt"   one line per document, product and CFOP (items summed)
// Numbers are right-aligned and zero-filled, texts left-aligned and blank-filled, Windows-1252.
//
// Direction: entries are the documents whose `dest` is the company, and those the company issued
// as entries (`emit` is the company, `tpNF` 0), these keeping their CFOP; the CFOP of the others
// goes 5->1, 6->2, 7->3, and the tax-substitution sales 5401/5403/5405 -> 1403, 6401/6403/6404 ->
// 2403. Exits are the documents the company issued with `tpNF` 1.
// Month: one date chooses it and dates the items, entries their emission (`dhEmi`), exits their exit
// (`dhSaiEnt`, else `dhEmi`); a company document whose other date is in the month is listed as
// "outro mês".
//
// One document at a time: a document is parsed, its lines composed, and only when every value of it
// fits its field are they written; nothing of it is kept afterwards (only the codes of products and
// partners already written, to write each once). A document left out is listed with its file name
// and reason, a value quoted as the document writes it; a document with no protocol is read and
// listed as having none; a phone too long for its field is left blank and listed.
#pragma once

#include <string>
#include <vector>

#include "vorel/integration/linhas_nfe.h"

namespace vorel::integration {

struct ArgumentosLeitor {
    std::string pasta;      // program path of the NF-e folder
    int mes = 0;            // working month and year: documents emitted in them are read
    int ano = 0;
    SentidoNfe sentido = SentidoNfe::Entrada;
    std::string documento;  // the company's CNPJ, or CPF (digits; blanks around ignored)
};

struct ResultadoLeitor {
    long arquivos = 0;    // XML files looked at
    long documentos = 0;  // documents whose lines were written
    long itens = 0;       // item lines written
    std::vector<std::string> problemas;  // one text per file left out or noted (Windows-1252)
    std::string falha;    // an output file that could not be written (UTF-8); empty when none
    bool ok() const { return falha.empty(); }
};

// The output file names of a month ("Produtos082018.txt", ...).
std::string ArquivoNfeDoMes(std::string_view base, int mes, int ano);

ResultadoLeitor LeitorXML(const ArgumentosLeitor& argumentos);

}  // namespace vorel::integration
