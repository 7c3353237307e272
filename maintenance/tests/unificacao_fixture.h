// The unification tests' fixture: the batch repairs' (a data root with company 1 and March 2016,
// records written and read back, library calls on a thread of their own) with a month of movements
// to carry, and a folder of the test for the unification files.
#pragma once

#include <filesystem>

#include "reparo_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/maintenance/arquivos_unificacao.h"

namespace vorel::maintenance::testing {

using dictionary::AnaliticoICMSRec;
using dictionary::EntradaVorelRec;
using dictionary::ForCliRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;
using dictionary::QuantidadeVorelRec;
using dictionary::SaidaVorelRec;

struct UnificacaoFixture : ReparoFixture {
    // A folder of the test (program path, closing separator) for the files.
    std::string Pasta(const std::string& nome) {
        std::filesystem::create_directories(dir / nome);
        return root + nome + "\\";
    }
    // The unification file `a` in `pasta`, read back in the order of `key`.
    template <class Rec>
    std::vector<Rec> Arquivo(const std::string& pasta, ArquivoUnificacao a, data::KeyName key) {
        return Le<Rec>(LayoutDoArquivo(a), key, files::join(pasta, NomeDoArquivo(a)));
    }

    // An entry item of invoice `numero`, series "1", of supplier `codigo` (its CNPJ in the item).
    static void Entrada(EntradaVorelRec& e, date::Day dia, std::uint32_t numero, int produto,
                        std::uint32_t codigo = 0, const char* cnpj = "") {
        e.DataEmissao = dia;
        e.Numero = numero;
        e.Serie = "1";
        e.CFO = 1102;
        e.CodMercadoria = Decimal(produto);
        e.Quantidade = D("2.000");
        e.BaseICMS = D("10.00");
        e.CodigoForCli = codigo;
        e.Cnpj = cnpj;
    }
    static void Quantidade(QuantidadeVorelRec& q, date::Day dia, std::uint32_t numero, const char* origem,
                           const char* cnpj = "") {
        q.DataEmissao = dia;
        q.Numero = numero;
        q.Serie = "1";
        q.Procedencia = origem;
        q.Quantidade = 5;
        q.Cnpj = cnpj;
    }
    static void Fornecedor(ForCliRec& f, std::uint32_t codigo, const char* nome, const char* cnpj, const char* cpf = "") {
        f.Codigo = codigo;
        f.Nome = nome;
        f.CGC = cnpj;
        f.CPF = cpf;
        f.TipoInscricao = *cnpj ? 1 : 2;
    }
};

}  // namespace vorel::maintenance::testing
