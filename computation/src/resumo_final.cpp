// The final summary and its `;` file (vorel/computation/resumo_final.h).
#include "vorel/computation/resumo_final.h"

#include <cstdio>
#include <set>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/shell/program_settings.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/text_report.h"

namespace vorel::computation {
namespace {

namespace keys = dictionary::keys;
using dictionary::ResumoFinalRec;
using dictionary::SaldosVorelRec;

struct Falhou {
    std::string oque;
};
void Checa(data::Result r, const char* oque) {
    if (!r.ok()) throw Falhou{oque};
}
struct Cancelou {};

struct Aberta {
    data::FileManager fm;
    // At the year file of `periodo` when one is given, else at the table's name variable.
    Aberta(const data::TableDesc& t, const char* oque, const shell::EmpresaPeriodo* periodo = nullptr) : fm(t) {
        Checa(periodo ? shell::AbreNoAno(fm, *periodo) : fm.open(), oque);
    }
    ~Aberta() { (void)fm.close(); }
};

bool CnpjVazio(std::string_view cnpj) {
    return cnpj.empty() || cnpj == "0" || cnpj == "00000000000000" || cnpj == "00000000000";
}

// `CarregaEstabelecimentosFornecedor`: the CNPJs of the chosen supplier's root, from its own on.
std::set<std::string> Estabelecimentos(data::FileManager& forcli, std::uint32_t codigo) {
    std::set<std::string> out;
    auto& f = forcli.rec<dictionary::ForCliRec>();
    forcli.clear_record();
    f.Codigo = codigo;
    f.Inativo = 0;
    if (!forcli.get(keys::FOR_KEY_CODIGO).ok()) return out;
    const std::string cnpj(f.CGC.clipped());
    const std::string raiz = cnpj.substr(0, 8);
    forcli.clear_record();
    f.CGC = cnpj;
    Checa(forcli.set_at(forcli.key_number(keys::FOR_KEY_CGC), 1), "Lendo os fornecedores");
    while (forcli.next().ok() && std::string(f.CGC.clipped()).substr(0, 8) == raiz) out.insert(std::string(f.CGC.clipped()));
    return out;
}

// `BuscaFornecedorProduto`: the supplier of the product's first qualifying entry of the year.
std::uint32_t FornecedorDoProduto(data::FileManager& entradas, data::FileManager& forcli, const Decimal& produto,
                                  std::uint32_t escolhido, const std::set<std::string>& estabelecimentos) {
    auto& e = entradas.rec<dictionary::EntradaVorelRec>();
    auto& f = forcli.rec<dictionary::ForCliRec>();
    entradas.clear_record();
    e.CodMercadoria = produto;
    e.DataEmissao = date::make(1900, 1, 1);
    Checa(entradas.set_at(keys::ENT_KEY_PRODUTODATA), "Lendo as entradas");
    while (entradas.next().ok() && e.CodMercadoria.value() == produto) {
        const std::string cnpj(e.Cnpj.clipped());
        if (CnpjVazio(cnpj)) continue;
        if (escolhido != 0) {
            if (estabelecimentos.count(cnpj)) return escolhido;
            continue;
        }
        if (fiscal::LeFornecedorPorCnpj(forcli, cnpj)) return f.Codigo;
    }
    return 0;
}

// Lines 9 to 12 from the record's running sums of lines 5 and 8.
void Resultados(ResumoFinalRec& r) {
    const Decimal dif = r.SOMACOSAIDAS.value() - r.SOMARETSAIDA.value();
    if (dif > Decimal(0)) {
        r.BASEDIFIMPCOMPL = dif;
        r.BASEDIFIMPRESS = 0;
        r.VALIMPCOMPL = dif * r.PERCENTUAL.value() / Decimal(100);
        r.VALIMPRESS = 0;
    } else {
        r.BASEDIFIMPCOMPL = 0;
        r.BASEDIFIMPRESS = -dif;
        r.VALIMPCOMPL = 0;
        r.VALIMPRESS = -dif * r.PERCENTUAL.value() / Decimal(100);
    }
}

}  // namespace

std::string AbreResumoFinal(data::FileManager& resumo) {
    shell::NomeTemporario nome = shell::NomeArqTemp();
    if (!nome.ok()) return nome.erro;
    // The name is ours; the empty file that holds it gives way to the table's own.
    (void)files::remove_file(nome.nome);
    if (!resumo.open_path(nome.nome).ok()) return "Abrindo a tabela do resumo final";
    return {};
}

ApagaResumoFinal::ApagaResumoFinal(data::FileManager& resumo) : resumo_(resumo), arquivo_(resumo.file_name()) {}

ApagaResumoFinal::~ApagaResumoFinal() {
    (void)resumo_.close();
    ApagaTrabalho(arquivo_);
}

std::string MontaResumoFinal(const shell::EmpresaPeriodo& periodo, const OpcoesResumo& o, data::FileManager& resumo,
                             const std::function<bool(long long, long long)>& progresso) {
    try {
        Aberta saldos(dictionary::SaldosVorel(), "Abrindo os saldos", &periodo);
        Aberta entradas(dictionary::EntradaVorel(), "Abrindo as entradas", &periodo);
        Aberta forcli(dictionary::ForCli(), "Abrindo os fornecedores");
        // Only what the summary sums of a balance, and what the supplier search reads of an entry.
        Checa(data::Cursor::read_only(saldos.fm, {"Produto", "Competencia", "Aliquota", "CalcUsuFinal", "CalcFGNRealisado",
                                                  "CalcIsenta", "CalcOutUF", "ConfUsuFinal", "ConfDemHip"}),
              "Lendo os saldos do mês");
        Checa(data::Cursor::read_only(entradas.fm, {"CodMercadoria", "DataEmissao", "Cnpj"}), "Lendo as entradas");
        const std::set<std::string> estabelecimentos =
            o.codFornecedor != 0 ? Estabelecimentos(forcli.fm, o.codFornecedor) : std::set<std::string>{};
        const date::Day mes = periodo.Inicio();

        data::Transaction t({&resumo}, 1);
        Checa(t.status(), "Iniciando a transação do resumo final");
        const long long total = saldos.fm.records();
        long long feitos = 0;
        auto& s = saldos.fm.rec<SaldosVorelRec>();
        auto& r = resumo.rec<ResumoFinalRec>();
        saldos.fm.clear_record();
        s.Competencia = mes;
        Checa(saldos.fm.set_at(keys::SQEL_KEY_DATA), "Lendo os saldos do mês");
        while (saldos.fm.next().ok() && s.Competencia == mes) {
            std::uint32_t fornecedor = 0;
            if (o.porFornecedor) {
                const Decimal produto = Decimal::from_string(std::string(s.Produto.clipped()));
                fornecedor = FornecedorDoProduto(entradas.fm, forcli.fm, produto, o.codFornecedor, estabelecimentos);
                if (o.codFornecedor != 0 && fornecedor == 0) continue;
            }
            resumo.clear_record();
            r.PERCENTUAL = s.Aliquota.value();
            r.COD_FORNECEDOR = fornecedor;
            const bool existe = resumo.get(o.porFornecedor ? keys::RFC_KEY_FORALIQ : keys::RFC_KEY_NUMERO).ok();
            if (!existe) {
                resumo.clear_record();
                r.PERCENTUAL = s.Aliquota.value();
                r.COD_FORNECEDOR = fornecedor;
            }
            r.RETFINALCONSFINAL += s.CalcUsuFinal.value();
            r.RETFINALFGNREALISADO += s.CalcFGNRealisado.value();
            r.RETFINALISENTA += s.CalcIsenta.value();
            r.RETFINALOUTESTADO += s.CalcOutUF.value();
            r.SOMARETSAIDA += s.CalcUsuFinal.value() + s.CalcFGNRealisado.value() + s.CalcIsenta.value() +
                              s.CalcOutUF.value();
            r.RETCONSAIDAUSUFINAL += s.ConfUsuFinal.value();
            r.RETCONDEMHIP += s.ConfDemHip.value();
            r.SOMACOSAIDAS += s.ConfUsuFinal.value() + s.ConfDemHip.value();
            Resultados(r);
            Checa(existe ? resumo.put() : resumo.add(), "Gravando o resumo final");
            if (progresso && !progresso(++feitos, total)) throw Cancelou{};
        }
        Checa(t.commit(), "Confirmando o resumo final");
    } catch (const Falhou& f) {
        return f.oque;
    } catch (const Cancelou&) {
        return "Cancelado";
    }
    return {};
}

std::vector<Decimal> LinhasDoResumo(const ResumoFinalRec& r) {
    return {r.RETFINALCONSFINAL.value(), r.RETFINALFGNREALISADO.value(), r.RETFINALISENTA.value(),
            r.RETFINALOUTESTADO.value(), r.SOMARETSAIDA.value(),        r.RETCONSAIDAUSUFINAL.value(),
            r.RETCONDEMHIP.value(),      r.SOMACOSAIDAS.value(),        r.BASEDIFIMPCOMPL.value(),
            r.BASEDIFIMPRESS.value(),    r.VALIMPCOMPL.value(),         r.VALIMPRESS.value()};
}

bool ResumoZerado(const ResumoFinalRec& r) {
    Decimal soma;
    for (const auto& v : LinhasDoResumo(r)) soma = soma + v;
    return soma == Decimal(0);
}

SaldoImposto SaldoDoImposto(const Decimal& soma11, const Decimal& soma12) {
    SaldoImposto s{soma11 - soma12, soma12 - soma11};
    if (s.complemento < Decimal(0))
        s.complemento = Decimal(0);
    else
        s.ressarcimento = Decimal(0);
    return s;
}

std::string RotuloFornecedor(std::uint32_t codigo) {
    const std::string naoEncontrados = "SOMA DE FORNECEDORES NÃO ENCONTRADOS";
    if (codigo == 0) return naoEncontrados;
    data::FileManager forcli(dictionary::ForCli());
    if (!forcli.open().ok()) return naoEncontrados;
    auto& f = forcli.rec<dictionary::ForCliRec>();
    forcli.clear_record();
    f.Codigo = codigo;
    f.Inativo = 0;
    std::string out = naoEncontrados;
    if (forcli.get(keys::FOR_KEY_CODIGO).ok())
        out = std::to_string(codigo) + " - " + text::to_utf8(f.Nome.clipped());
    (void)forcli.close();
    return out;
}

std::string PastaExcelPadrao() { return shell::PastaRaiz.Get() + "Excel\\"; }

std::string NomePlanilhaFinal(int mes, int ano) {
    char nome[32];
    std::snprintf(nome, sizeof nome, "PlFinal%02d%04d.csv", mes, ano);
    return nome;
}

std::string ArquivoExcelConfigurado() {
    const shell::ArquivoExcel a = shell::LeArquivoExcel();
    return a.nome.empty() || a.pasta.empty() ? std::string() : a.pasta + a.nome;
}

std::string ValorPlanilha(const Decimal& v) { return picture::format("@n-15`2", v); }

namespace {

// The `;` file's lines, each checked: the first that fails stops the file.
class LinhasArquivo {
public:
    explicit LinhasArquivo(shell::ArquivoTexto& arq) : arq_(arq) {}
    void operator()(const std::string& utf8) {
        if (auto o = arq_.GravaLinhaTexto(text::from_utf8(utf8), 1); !o.ok()) throw Falhou{o.error};
    }

private:
    shell::ArquivoTexto& arq_;
};

std::string Campos(const std::vector<Decimal>& v) {
    std::string out;
    for (const auto& x : v) out += ";" + ValorPlanilha(x);
    return out;
}

}  // namespace

ResultadoArquivo GeraArquivoResumoFornecedor(const shell::EmpresaPeriodo& periodo, data::FileManager& resumo,
                                             const std::string& arquivo,
                                            const std::function<void(long long, long long)>& progresso) {
    ResultadoArquivo out;
    const std::string nome(text::clip(arquivo));
    if (nome.empty() || resumo.records() <= 0) return out;
    auto& r = resumo.rec<ResumoFinalRec>();
    shell::ArquivoTexto arq;
    try {
        // The period's company.
        std::string razao, inscricao;
        {
            Aberta empresa(dictionary::Empresa(), "Abrindo as empresas");
            auto& e = empresa.fm.rec<dictionary::EmpresaRec>();
            empresa.fm.clear_record();
            e.Codigo = static_cast<decltype(e.Codigo)>(periodo.empresa);
            if (empresa.fm.get(keys::EMP_KEY_CODIGO).ok()) {
                razao = text::to_utf8(e.RAZAOSOCIAL.clipped());
                inscricao = text::to_utf8(e.INSCESTADUAL.clipped());
            }
        }
        const long long total = resumo.records();
        long long naoZerados = 0;
        Checa(resumo.set(keys::RFC_KEY_FORALIQ), "Lendo o resumo final");
        while (resumo.next().ok())
            if (!ResumoZerado(r)) ++naoZerados;

        if (auto o = arq.AbreExportacao(nome); !o.ok()) throw Falhou{o.error};
        LinhasArquivo linha(arq);
        char mesAno[16];
        std::snprintf(mesAno, sizeof mesAno, "%02d/%04d", periodo.mes, periodo.ano);
        linha("MÉTODO PERMANENTE - APURAÇÃO DO IMPOSTO A SER COMPLEMENTADO OU RESSARCIDO");
        linha("");
        linha("Contribuinte : " + razao);
        linha("Inscrição Estadual : " + inscricao);
        linha(std::string("Período : ") + mesAno);
        linha("");
        linha("Fornecedores;Aliq;01;02;03;04;05;06;07;08;09;10;11;12");

        std::vector<Decimal> somas(12);
        SaldoImposto saldo;
        long long contados = 0, lidos = 0;
        Checa(resumo.set(keys::RFC_KEY_FORALIQ), "Lendo o resumo final");
        while (resumo.next().ok()) {
            if (progresso) progresso(++lidos, total);
            if (ResumoZerado(r)) continue;
            const auto linhas = LinhasDoResumo(r);
            for (std::size_t i = 0; i < 12; ++i) somas[i] = somas[i] + linhas[i];
            if (++contados == naoZerados) saldo = SaldoDoImposto(somas[10], somas[11]);
            linha(RotuloFornecedor(r.COD_FORNECEDOR) + ";" + r.PERCENTUAL.value().to_fixed(2, ',') + Campos(linhas));
            ++out.linhas;
        }
        linha(" SOMA TOTAIS ;" + Campos(somas));
        linha("");
        linha("SALDO DO IMPOSTO A SER COMPLEMENTADO TOTAL DO 11 ( - ) TOTAL DO 12" + std::string(13, ';') +
              ValorPlanilha(saldo.complemento));
        linha("SALDO DO IMPOSTO A SER RESSARCIDO TOTAL DO 12 ( - ) TOTAL 11" + std::string(13, ';') +
              ValorPlanilha(saldo.ressarcimento));
        if (auto o = arq.Fecha(); !o.ok()) throw Falhou{o.error};
    } catch (const Falhou& f) {
        (void)arq.Fecha();
        out.estado = ResultadoArquivo::Estado::Falhou;
        out.erro = f.oque;
        return out;
    }
    out.estado = ResultadoArquivo::Estado::Gerado;
    return out;
}

}  // namespace vorel::computation
