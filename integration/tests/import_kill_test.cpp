// An import killed at random moments (a child process, killed while it copies the staged records
// into the year's or the registers' files, or while it commits) leaves every file it writes whole,
// with none or all of the file's records: the exit, register, vehicle, opening-balance and
// cash-register imports.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "import_fixture.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_cadastros.h"
#include "vorel/integration/importa_ecf.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/importa_saldo_anterior.h"
#include "vorel/integration/importa_veiculos.h"

namespace vorel::integration::testing {

namespace {

// The child's work: reads and imports in March 2016 with the given progress; false when it cannot.
using Trabalho = std::function<bool(const Progresso&)>;
// A file the import writes and how many records it holds once the whole file is in.
struct Alvo {
    const data::TableDesc* tabela;
    std::int64_t cheio;
};

template <class Run>
Trabalho Simples(std::string arquivo, int layout) {
    return [arquivo, layout](const Progresso& progresso) {
        Run run;
        if (!run.Abre().empty() || !run.Le({arquivo, layout, 1, 3, 2016, {}, 1}).PodeImportar()) return false;
        return run.Importa(3, progresso).ok();
    };
}

struct ImportKilled : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        ui.reset();
        rt.reset();  // no other threads in the process that forks
    }
    std::string Lines(const std::string& nome, int n, const std::function<std::string(int)>& linha) {
        std::string bytes;
        for (int i = 1; i <= n; ++i) bytes += linha(i) + "\r\n";
        return File(nome, bytes);
    }

    // Kills the child running `trabalho` `rodadas` times: right after its first record was copied,
    // then at random moments of its import. Each time every target holds nothing or all of it.
    void Rounds(int rodadas, const Trabalho& trabalho, const std::vector<Alvo>& alvos) {
        std::mt19937 sorte(20161203);
        int vazios = 0;
        for (int rodada = 0; rodada < rodadas; ++rodada) {
            int aviso[2];
            ASSERT_EQ(pipe(aviso), 0);
            pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                close(aviso[0]);
                bool ok = false;
                OnThread([&] {
                    ok = trabalho([&](long n) {
                        if (n == 1) {
                            char c = 1;
                            if (write(aviso[1], &c, 1) != 1) _exit(4);
                        }
                        return true;
                    });
                });
                _exit(ok ? 0 : 5);
            }
            close(aviso[1]);
            char c = 0;
            const bool comecou = read(aviso[0], &c, 1) == 1;
            close(aviso[0]);
            if (comecou && rodada > 0) std::this_thread::sleep_for(std::chrono::milliseconds(sorte() % 120));
            kill(pid, SIGKILL);
            int status = 0;
            waitpid(pid, &status, 0);
            ASSERT_TRUE(comecou || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << "the child failed";

            std::vector<std::int64_t> contagens;
            OnThread([&] {
                for (const Alvo& a : alvos) {
                    data::FileManager f(*a.tabela);
                    ASSERT_EQ(f.open(), vorel::data::kNoError);
                    EXPECT_EQ(f.verify(), vorel::data::kNoError);
                    contagens.push_back(f.records());
                    (void)f.close();
                }
            });
            ASSERT_EQ(contagens.size(), alvos.size());
            bool nada = true, tudo = true;
            for (std::size_t i = 0; i < alvos.size(); ++i) {
                nada = nada && contagens[i] == 0;
                tudo = tudo && contagens[i] == alvos[i].cheio;
            }
            ASSERT_TRUE(nada || tudo) << "round " << rodada << ": " << ::testing::PrintToString(contagens);
            if (nada) {
                ++vazios;
                continue;
            }
            OnThread([&] {  // empty the files for the next round
                for (const Alvo& a : alvos) {
                    data::FileManager f(*a.tabela);
                    ASSERT_EQ(f.open(), vorel::data::kNoError);
                    {
                        data::Transaction t({&f});
                        (void)f.set(0);
                        while (f.next().ok()) ASSERT_EQ(f.remove(), vorel::data::kNoError);
                        ASSERT_EQ(t.commit(), vorel::data::kNoError);
                    }
                    (void)f.close();
                }
            });
        }
        EXPECT_GE(vazios, 1);  // the first kill comes right after the first record was copied
    }
};

TEST_F(ImportKilled, ExitInvoices) {
    LayoutPadrao(kTipoSaidas, 1, "Saídas");
    constexpr int kLinhas = 3000;
    const std::string arquivo = Lines("importa.txt", kLinhas, [](int i) {
        std::string l(131, ' ');
        const std::string n = std::to_string(100000 + i);
        l.replace(16, 6, n.substr(0, 6));
        l.replace(22, 8, "05032016");
        return l;
    });
    Rounds(6, Simples<ImportacaoSaidas>(arquivo, 1), {{&dictionary::SaidaVorel(), kLinhas}});
}

TEST_F(ImportKilled, RegisterPartnersAndProducts) {
    constexpr int kLinhas = 1500;
    LayoutPadrao(kTipoFornecedores, 1, "Fornecedores");
    const std::string fornecedores = Lines("importa.txt", kLinhas, [](int i) {
        return LinhaPadrao(kTipoFornecedores, {{1, std::to_string(i)}, {2, "Fornecedor " + std::to_string(i)},
                                               {8, "SP"}, {14, "1"}, {15, std::to_string(11222333000000LL + i)}});
    });
    Rounds(3, Simples<ImportacaoFornecedores>(fornecedores, 1), {{&dictionary::ForCli(), kLinhas}});

    LayoutPadrao(kTipoProdutos, 2, "Produtos");
    const std::string produtos = Lines("importa.txt", kLinhas, [](int i) {
        const std::string apelido = "P" + std::to_string(i);
        return LinhaPadrao(kTipoProdutos, {{1, apelido}, {4, "Produto " + apelido}, {5, "018000"}});
    });
    Rounds(3, Simples<ImportacaoProdutos>(produtos, 2),
           {{&dictionary::Produtos(), kLinhas}, {&dictionary::ProdutosAliq(), kLinhas}});
}

TEST_F(ImportKilled, VehiclesAndOpeningBalances) {
    constexpr int kLinhas = 1500;
    SeedProduct(10, 18);
    SeedSupplier(4, "11222333000181", "PR");
    LayoutPadrao(kTipoEntradaVeiculos, 1, "Veículos");
    const std::string veiculos = Lines("importa.txt", kLinhas, [](int i) {
        return LinhaPadrao(kTipoEntradaVeiculos, {{1, "11222333000181"}, {3, std::to_string(100000 + i)}, {4, "05"},
                                                  {5, "03"}, {6, "2016"}, {8, "CHASSI" + std::to_string(i)},
                                                  {9, "10"}, {10, "1102"}, {12, "018000"}});
    });
    Rounds(3, [&](const Progresso& p) {
        ImportacaoVeiculos run(false);
        if (!run.Abre().empty() || !run.Le({veiculos, 1, 1, 3, 2016, {}, 1}).PodeImportar()) return false;
        return run.Importa(3, p).ok();
    }, {{&dictionary::EntradaVeiculo(), kLinhas}});

    LayoutPadrao(kTipoSaldoAnterior, 2, "Saldos");
    const std::string saldos = Lines("importa.txt", kLinhas, [](int i) {
        return LinhaPadrao(kTipoSaldoAnterior, {{1, "29"}, {2, "02"}, {3, "2016"}, {4, "000000000000005000"},
                                                {7, "1102"}, {8, "000"}, {9, "10"}, {10, "L" + std::to_string(i)},
                                                {11, "11222333000181"}, {12, "000000"}});
    });
    Rounds(3, Simples<ImportacaoSaldoAnterior>(saldos, 2),
           {{&dictionary::EntradaVorel(), kLinhas}, {&dictionary::ForCliQel(), 1}, {&dictionary::LoteVorel(), kLinhas}});
}

TEST_F(ImportKilled, CashRegisterMonthGoesInWhole) {
    constexpr int kMaquinas = 50, kDias = 20;
    LayoutPadrao(kTipoMestre, 1, "Mestre");
    LayoutPadrao(kTipoAnalitico, 2, "Analítico");
    LayoutPadrao(kTipoDiario, 3, "Diário");
    auto cada = [&](int tipo, const std::map<int, std::string>& resto) {
        return Lines("ecf" + std::to_string(tipo) + ".txt", kMaquinas * kDias, [&, tipo](int i) {
            const std::string dia = std::to_string(100 + (i - 1) / kMaquinas + 1).substr(1);
            const std::string maquina = std::to_string(1000 + (i - 1) % kMaquinas + 1).substr(1);
            std::map<int, std::string> campos = resto;
            campos.insert({{1, dia}, {2, "03"}, {3, "2016"}, {4, maquina}});
            return LinhaPadrao(tipo, campos);
        });
    };
    OpcoesECF o;
    o.mestre = cada(kTipoMestre, {{5, "000001"}, {6, "000009"}});
    o.analitico = cada(kTipoAnalitico, {{5, "T18 "}, {6, "000000012345"}});
    o.diario = cada(kTipoDiario, {{5, "00000000000010"}, {6, "0000000001500"}, {9, "T18 "}});
    o.layouts = {1, 2, 3};
    o.mes = 3;
    o.ano = 2016;
    o.empresa = 1;
    constexpr std::int64_t n = kMaquinas * kDias;
    Rounds(3, [&](const Progresso& p) {
        ImportacaoECF ecf;
        if (!ecf.Abre().empty() || !ecf.Le(o).PodeImportar()) return false;
        return ecf.Importa(3, p).ok();
    }, {{&dictionary::LancICMSEletronico(), n}, {&dictionary::AnaliticoICMS(), n}, {&dictionary::MovMaqRegistradora(), n}});
}

}  // namespace

}  // namespace vorel::integration::testing
