// The computation's test fixture: a data root in a temporary folder with company 1, year 2016
// and the working month March (tables named as the program names them), a temporary folder for
// the runs' work files, and helpers that write movement records straight into the tables and run
// the computation on a thread with its own table dictionary.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/regras_colunas.h"
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"

namespace vorel {
inline void PrintTo(const Decimal& d, std::ostream* os) { *os << d.to_string(); }
}  // namespace vorel

namespace vorel::computation::testing {

namespace fs = std::filesystem;
namespace keys = dictionary::keys;

inline Decimal D(const char* s) { return Decimal::from_string(s); }
inline date::Day Dia(int y, int m, int d) { return date::make(y, m, d); }

// Answers the run: counts progress, keeps the messages, may cancel after some progress calls.
class AvisosDeTeste : public AvisosCalculo {
public:
    long long cancelaApos = -1;
    long long chamadas = 0;
    std::vector<std::pair<std::string, std::string>> mensagens;
    bool Progresso(const ProgressoCalculo&) override { return cancelaApos < 0 || ++chamadas <= cancelaApos; }
    void Mensagem(std::string_view titulo, std::string_view texto) override {
        mensagens.emplace_back(std::string(titulo), std::string(texto));
    }
};

// The summed lines of a month record as the final summary reads them.
struct Linhas18 {
    const char* cf = "0";  // CalcUsuFinal
    const char* fg = "0";  // CalcFGNRealisado
    const char* is = "0";  // CalcIsenta
    const char* uf = "0";  // CalcOutUF
    const char* cu = "0";  // ConfUsuFinal
    const char* cd = "0";  // ConfDemHip
};

struct CalculoFixture : ::testing::Test, vorel::testing::DataRoot {
    void SetUp() override {
        CreateDataRoot("vorel-computation");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp\\");
        shell::ModoImpressao.Set(1);
        Empresa(0);
    }
    void TearDown() override { RemoveDataRoot(); }

    // Makes `ano` the working year (its folder and table names).
    void Ano(int ano) {
        vorel::testing::NameYearTables(root, 1, ano);
        shell::GLO_ANO.Set(ano);
    }
    std::string ArquivoAno(int ano, bool saldos) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        EXPECT_FALSE(dictionary::CriaPastas(a));
        return saldos ? a.CaminhoSaldosVorel : a.CaminhoEntradaVorel;
    }

    // Adds one record to a table (on its name variable's file, or on `arquivo`).
    template <class Rec>
    void Grava(const data::TableDesc& table, const std::function<void(Rec&)>& fill, const std::string& arquivo = {}) {
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            fill(fm.rec<Rec>());
            ASSERT_TRUE(fm.add().ok()) << table.name;
            (void)fm.close();
        }).join();
    }

    void Empresa(int adotaLei) {
        std::thread([&] {
            data::FileManager fm(dictionary::Empresa());
            ASSERT_TRUE(fm.open().ok());
            auto& e = fm.rec<dictionary::EmpresaRec>();
            fm.clear_record();
            e.Codigo = 1;
            bool existe = fm.get(keys::EMP_KEY_CODIGO).ok();
            if (!existe) {
                fm.clear_record();
                e.Codigo = 1;
            }
            e.ADOTALEI = static_cast<std::uint8_t>(adotaLei);
            ASSERT_TRUE((existe ? fm.put() : fm.add()).ok());
            (void)fm.close();
        }).join();
    }
    void Cfo(int codigo, int coluna, int complemento = 0) {
        Grava<dictionary::CFORec>(dictionary::CFO(), [&](auto& r) {
            r.CODIGO = static_cast<std::int16_t>(codigo);
            r.COMPLEMENTO = static_cast<std::int16_t>(complemento);
            r.COLUNA = static_cast<std::uint8_t>(coluna);
        });
    }
    void Produto(int codigo, const char* aliquota = "18") {
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [&](auto& r) {
            r.Codigo = codigo;
            r.Alicota = D(aliquota);
        });
    }
    void Saida(int produto, date::Day data, std::uint32_t numero, int cfo, const char* qtd, const char* base = "0",
               const std::string& arquivo = {}) {
        Grava<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataSaida = data;
            r.Numero = numero;
            r.CFO = static_cast<std::uint16_t>(cfo);
            r.Quantidade = D(qtd);
            r.BaseCalculo = D(base);
            r.Alicota = 18;
        }, arquivo);
    }
    struct Ent {
        int produto = 0;
        date::Day data = 0;
        std::uint32_t numero = 0;
        int cfo = 0;
        const char* qtd = "0";
        const char* base = "0";
        const char* propria = "0";
        const char* aliquota = "18";
        int saldoInicial = 0;
    };
    void Entrada(const Ent& e, const std::string& arquivo = {}) {
        Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.CodMercadoria = e.produto;
            r.DataEmissao = e.data;
            r.Numero = e.numero;
            r.CFO = static_cast<std::uint16_t>(e.cfo);
            r.Quantidade = D(e.qtd);
            r.BaseICMS = D(e.base);
            r.BaseICMSPropria = D(e.propria);
            r.Aliquota = D(e.aliquota);
            r.Saldo_Inicial = static_cast<std::uint8_t>(e.saldoInicial);
        }, arquivo);
    }
    void Caixa(int produto, date::Day data, int maquina, const char* qtd, const char* base, const char* aliquota = "F") {
        Grava<dictionary::MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataEmissao = std::to_string(data);
            r.Codigo = static_cast<std::int16_t>(maquina);
            r.Quantidade = D(qtd);
            r.BaseCalculo = D(base);
            r.Aliquota = aliquota;
        });
    }
    void Maquina(int codigo, const char* serie) {
        Grava<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), [&](auto& r) {
            r.Codigo = static_cast<std::int16_t>(codigo);
            r.Serie = serie;
        });
    }
    struct Sld {
        int produto = 0;
        date::Day mes = 0;
        const char* aliquota = "18";
        const char* qtd = "0";
        const char* unit = "0";
        const char* base = "0";
        int exclusao = 0;
        const char* unitAnt = nullptr;  // SQEL:ValorUnit_Ant; the unit value when not given
    };
    void Saldo(const Sld& s, const std::string& arquivo = {}) {
        Grava<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [&](auto& r) {
            r.Produto = std::to_string(s.produto);
            r.Competencia = s.mes;
            r.Aliquota = D(s.aliquota);
            r.QuantProdutos = D(s.qtd);
            r.ValorUnit = D(s.unit);
            r.BaseAcunulada = D(s.base);
            r.ValorUnit_Ant = D(s.unitAnt ? s.unitAnt : s.unit);
            r.Exclusao = static_cast<std::uint8_t>(s.exclusao);
        }, arquivo);
    }

    // A month record with the computed lines the final summary sums (the working month by default).
    void Balanco(int produto, const char* aliquota, const Linhas18& l, date::Day mes = 0) {
        Grava<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [&](auto& r) {
            r.Produto = std::to_string(produto);
            r.Competencia = mes ? mes : Dia(2016, 3, 1);
            r.Aliquota = D(aliquota);
            r.CalcUsuFinal = D(l.cf);
            r.CalcFGNRealisado = D(l.fg);
            r.CalcIsenta = D(l.is);
            r.CalcOutUF = D(l.uf);
            r.ConfUsuFinal = D(l.cu);
            r.ConfDemHip = D(l.cd);
        });
    }
    void Fornecedor(std::uint32_t codigo, const char* cnpj, const char* nome, int inativo = 0) {
        Grava<dictionary::ForCliRec>(dictionary::ForCli(), [&](auto& r) {
            r.Codigo = codigo;
            r.CGC = cnpj;
            r.Nome = text::from_utf8(nome);
            r.Inativo = static_cast<std::uint8_t>(inativo);
        });
    }
    // An entry that only names its supplier (the first of the year decides a product's supplier).
    void Compra(int produto, date::Day data, const char* cnpj) {
        Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataEmissao = data;
            r.Cnpj = cnpj;
        });
    }

    // Runs the computation of a company's month on a thread of its own with the table dictionary set up.
    ResultadoCalculo CalculaNo(const shell::EmpresaPeriodo& periodo, OpcoesCalculo o, AvisosCalculo& avisos) {
        ResultadoCalculo r;
        std::thread([&] {
            dictionary::InitDictionary();
            r = CalculoProdutos(periodo, o, avisos);
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }
    // The same for the working company and month.
    ResultadoCalculo Calcula(OpcoesCalculo o, AvisosCalculo& avisos) { return CalculaNo(shell::PeriodoDeTrabalho(), o, avisos); }
    ResultadoCalculo CalculaTodos() {
        AvisosDeTeste avisos;
        OpcoesCalculo o;
        o.todos = true;
        return Calcula(o, avisos);
    }

    // Every record of a table's file in a key's order.
    template <class Rec>
    std::vector<Rec> Le(const data::TableDesc& table, data::KeyName key, const std::string& arquivo = {}) {
        std::vector<Rec> out;
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            ASSERT_TRUE(fm.set(key).ok());
            while (fm.next().ok()) out.push_back(fm.rec<Rec>());
            (void)fm.close();
        }).join();
        return out;
    }
    // Products 1 to `produtos` (rate 18), each with a February balance of 1000 units at 2.00 and
    // twenty exits of one unit in March (CFOP 5102, numbers product × 100 + 1..20), in one transaction.
    void ProdutosComSaidas(int produtos) {
        std::thread([&] {
            data::FileManager pro(dictionary::Produtos()), sai(dictionary::SaidaVorel());
            data::FileManager sal(dictionary::SaldosVorel());
            ASSERT_TRUE(pro.open().ok() && sai.open().ok() && sal.open().ok());
            data::Transaction t({&pro, &sai, &sal});
            for (int p = 1; p <= produtos; ++p) {
                pro.clear_record();
                pro.rec<dictionary::ProdutosRec>().Codigo = p;
                pro.rec<dictionary::ProdutosRec>().Alicota = 18;
                ASSERT_TRUE(pro.add().ok());
                auto& s = sal.rec<dictionary::SaldosVorelRec>();
                sal.clear_record();
                s.Produto = std::to_string(p);
                s.Competencia = Dia(2016, 2, 1);
                s.Aliquota = 18;
                s.QuantProdutos = 1000;
                s.ValorUnit = 2;
                s.BaseAcunulada = 2000;
                ASSERT_TRUE(sal.add().ok());
                for (int i = 1; i <= 20; ++i) {
                    auto& x = sai.rec<dictionary::SaidaVorelRec>();
                    sai.clear_record();
                    x.CodMercadoria = p;
                    x.DataSaida = Dia(2016, 3, 1 + i % 28);
                    x.Numero = static_cast<std::uint32_t>(p * 100 + i);
                    x.CFO = 5102;
                    x.Quantidade = 1;
                    ASSERT_TRUE(sai.add().ok());
                }
            }
            ASSERT_TRUE(t.commit().ok());
        }).join();
    }

    std::vector<dictionary::SaldosVorelRec> Saldos() {
        return Le<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA);
    }
    std::vector<dictionary::EntradaSaidaVorelRec> Linhas(const std::string& arquivo) {
        return Le<dictionary::EntradaSaidaVorelRec>(dictionary::EntradaSaidaVorel(), keys::ESA_KEY_DATA_ENTSAI_NUM_AUX,
                                                    arquivo);
    }
};

}  // namespace vorel::computation::testing
