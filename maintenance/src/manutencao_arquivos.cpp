// The maintenance window's tables and operations (vorel/maintenance/manutencao_arquivos.h).
#include "vorel/maintenance/manutencao_arquivos.h"

#include <algorithm>

#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"
#include "vorel/data/table_repair.h"
#include "vorel/dictionary/tables.h"

namespace vorel::maintenance {

namespace {

struct Listada {
    const char* rotulo;
    const char* descricao;
};

// The tables as the window lists them (labels and descriptions as stored).
constexpr Listada kTabelas[] = {
    {"ACFuncionarios", "Tabela de alterações no cadastro de funcionários"},
    {"AnaliticoICMS", "Analítico da Vorel"},
    {"CFO", "Tabela de Códigos do CFO"},
    {"CNAE", "Tabela de Códigos do CNAE"},
    {"CodCFOComplementar", "CodCFOComplementar"},
    {"Empresa", "Arquivo de Empresas"},
    {"EntradaVorel", "Lançamento de Entradas Vorel"},
    {"EntradaSaidaVorel", "Arquivo de Impressão Relatório de Restituição"},
    {"EntradaVeiculo", "Arquivo de Entrada de Veículo"},
    {"Estados", "Tabela de Estados da Feredação"},
    {"FechamentoEscrita", "Tabela de Fechamernto"},
    {"Filiais", "Tabela com as filiais da empresa"},
    {"ForCli", "Arquivo de Fornecedores & Clientes"},
    {"ForCliQel", "Tabela Auxiliar de Fornecedores para Vorel"},
    {"Funcionarios", "Funcionários"},
    {"ICMSEletronica", "ICMSEletronica"},
    {"ImpMatricial", "ImpMatricial"},
    {"Impressora", "Arquivo de Impressora"},
    {"LancICMSEletronico", "Lançamento Eletrônico de Substituição Tributária"},
    {"LayArquivos", "Layouts de arquivos"},
    {"LayCampArquivos", "Campos dos arquivos"},
    {"LogEscrita", "Tabela de Log de Fechamento"},
    {"LoteVorel", "Arquivo de Lote Vorel"},
    {"MovMaqRegistradora", "Movimentação Caixa Resitradora Vorel"},
    {"Municipios", "Tabela de Municipios"},
    {"Produtos", "Cadastro de Produtos"},
    {"ProdutosAliq", "Aliquotas dos produtos por periodo"},
    {"QuantidadeVorel", "Arquivo da quantidade da Vorel"},
    {"ResumoFinal", "Resumo Final Vorel"},
    {"Revendas", "Arquivo do Cadastro das Revendas"},
    {"SaidaVorel", "Arquivo de Saídas por Nota Fiscal"},
    {"SaidaVeiculo", "Arquivo de Saídas de Veículos"},
    {"SaldosVorel", "Arquivo de Saldos da Vorel"},
    {"Senhas", "Tabela de Senhas"},
    {"TabValorIndProduto", "Valor Individual dos Produtos"},
    {"TabelaValorProdutoSaida", "Tabela de Cadastro de Saídas dos Produtos"},
};

// Files a run makes for itself: the computation's work tables and a text report.
bool ArquivoDeExecucao(const std::string& rotulo) {
    return rotulo == "EntradaSaidaVorel" || rotulo == "ResumoFinal" || rotulo == "ImpMatricial";
}

const data::TableDesc* TabelaDoRotulo(const std::string& rotulo) {
    for (const dictionary::TableInfo& t : dictionary::all_tables())
        if (!t.base && t.desc().label == rotulo) return &t.desc();
    return nullptr;
}

std::string Utf8(std::string_view cp1252) { return text::to_utf8(cp1252); }

// "Error <code> : <text>" of the thread's last error.
std::string ErroNaLinha() {
    const data::LastError& e = data::last_error();
    return "Error " + std::to_string(e.code) + " : " + Utf8(e.text.empty() ? data::error_text(e.code) : e.text);
}

std::string AcessoNegado() {
    const data::LastError& e = data::last_error();
    return "This option requires exclusive file access.|Please ensure no other users are in the system. |An error "
           "occured trying to open the file : Error " +
           Utf8(e.text.empty() ? data::error_text(e.code) : e.text);
}

bool Ausente(data::Result r) { return r == data::kFileNotFound || r == data::kPathNotFound; }

bool Avisa(const AndamentoOperacao& andamento, const std::string& acao, int percent) {
    return !andamento || andamento(acao, percent);
}

// Info and Create: the file opened shared for reading; Create makes a missing one empty.
void Informa(Operacao op, const data::TableDesc& d, ResultadoOperacao& r) {
    data::FileManager fm(d);
    fm.set_create(false);
    const std::string arquivo = d.file_name();
    const data::Result aberto = fm.open_path(arquivo, data::open_mode::kReadOnly | data::open_mode::kDenyNone);
    if (aberto.ok()) {
        const std::int64_t n = fm.records();
        if (n < 0) {
            r.registros = "?";
            r.nome = ErroNaLinha();
        } else {
            r.registros = std::to_string(n);
            r.nome = Utf8(fm.file_name());
        }
        (void)fm.close();
        return;
    }
    if (aberto == data::kFileNotFound && op == Operacao::Create) {
        if (fm.create_path(arquivo).ok()) {
            r.registros = "0";
            r.nome = Utf8(arquivo);
        } else {
            r.registros = "?";
            r.nome = ErroNaLinha();
        }
        return;
    }
    r.registros = "?";
    r.nome = ErroNaLinha();
}

// Build, Pack and Release: the file opened exclusively, the work done in one transaction (or, for
// Release, only read), the record count into the row.
void EmExclusivo(Operacao op, const data::TableDesc& d, ResultadoOperacao& r, const AndamentoOperacao& andamento) {
    data::FileManager fm(d);
    fm.set_create(false);
    fm.keep_open_on_invalid_keys(op != Operacao::Release);
    const data::Result aberto = fm.open_path(d.file_name(), data::open_mode::kExclusive);
    if (Ausente(aberto)) return;
    if (!aberto.ok() && !(aberto == data::kKeysInvalid && op != Operacao::Release)) {
        r.acessoNegado = AcessoNegado();
        return;
    }
    (void)fm.send("CacheKiB=2048");  // a pass over the whole file: a small cache whatever its size
    data::Result feito;
    std::int64_t liberados = 0;
    if (op == Operacao::Build) {
        feito = fm.rebuild_keys([&](const std::string& chave, int percent) { return Avisa(andamento, "Key :" + chave, percent); });
    } else if (op == Operacao::Pack) {
        feito = Avisa(andamento, "Packing File", 0) ? fm.pack() : data::Result(data::kStopped);
    } else {
        liberados = fm.released_on_open();
        const std::int64_t total = fm.records();
        std::int64_t lidos = 0;
        fm.clear_record();
        feito = d.keys.empty() ? data::Result(data::kNoError) : fm.set(0);
        while (feito.ok()) {
            const data::Result lido = fm.next();
            if (lido == data::kRecordNotAvailable) break;
            if (!(feito = lido).ok()) break;
            ++lidos;
            if (lidos % 1000 == 0 && !Avisa(andamento, "Releasing File", total > 0 ? static_cast<int>(lidos * 100 / total) : 0))
                feito = data::kStopped;
        }
    }
    if (!feito.ok() && feito != data::kStopped) {
        r.registros = "?";
        r.nome = ErroNaLinha();
    } else {
        const std::int64_t n = fm.records();
        r.registros = n < 0 ? "?" : std::to_string(n);
        if (op == Operacao::Release)
            r.nome = Utf8(fm.file_name()) +
                     (liberados > 0 ? " (" + std::to_string(liberados) + " registros presos liberados)" : std::string());
    }
    (void)fm.close();
}

void Corrige(const data::TableDesc& d, ResultadoOperacao& r, const AndamentoOperacao& andamento) {
    data::FixReport f;
    const std::string arquivo = d.file_name();
    const data::Result feito = data::fix_table_file(d, arquivo, f, andamento);
    if (Ausente(feito) || feito == data::kStopped) return;
    if (feito == data::kFileLocked) {
        r.acessoNegado = AcessoNegado();
        return;
    }
    if (!feito.ok()) {
        r.registros = "?";
        r.nome = ErroNaLinha();
        return;
    }
    r.registros = std::to_string(f.kept);
    if (!f.rebuilt) {
        r.nome = Utf8(arquivo);
        return;
    }
    r.nome = "Refeito: " + std::to_string(f.kept) + " registros mantidos, " +
             (f.lost < 0 ? std::string("?") : std::to_string(f.lost)) + " perdidos; original em " + Utf8(f.original);
}

}  // namespace

std::vector<TabelaListada> TabelasDaManutencao() {
    std::vector<TabelaListada> out;
    for (const Listada& l : kTabelas)
        out.push_back({l.rotulo, l.descricao, ArquivoDeExecucao(l.rotulo) ? nullptr : TabelaDoRotulo(l.rotulo)});
    std::stable_sort(out.begin(), out.end(), [](const TabelaListada& a, const TabelaListada& b) {
        return text::from_utf8(a.descricao) < text::from_utf8(b.descricao);  // the text's own order
    });
    return out;
}

ResultadoOperacao ExecutaOperacao(Operacao op, const TabelaListada& tabela, const AndamentoOperacao& andamento) {
    ResultadoOperacao r;
    if (!tabela.tabela) {
        r.nome = "Arquivo temporário";
        return r;
    }
    const data::TableDesc& d = *tabela.tabela;
    switch (op) {
        case Operacao::Build:
        case Operacao::Pack:
        case Operacao::Release: EmExclusivo(op, d, r, andamento); break;
        case Operacao::Fix: Corrige(d, r, andamento); break;
        case Operacao::Freshen: {
            const data::Result feito = data::freshen_table_file(d, d.file_name(), andamento);
            if (feito == data::kFileLocked) {
                r.acessoNegado = AcessoNegado();
                break;
            }
            if (feito == data::kStopped) break;
            if (!feito.ok() && !Ausente(feito)) {
                r.registros = "?";
                r.nome = ErroNaLinha();
                break;
            }
            Informa(op, d, r);
            break;
        }
        case Operacao::Info:
        case Operacao::Create: Informa(op, d, r); break;
    }
    return r;
}

}  // namespace vorel::maintenance
