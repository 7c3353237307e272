// The one-time conversion of the rate history (vorel/maintenance/atualiza_arquivos.h).
#include "vorel/maintenance/atualiza_arquivos.h"

#include <set>
#include <utility>

#include "lote_passos.h"
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using dictionary::EmpresaRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;
using lote::Checa;

constexpr int kPrimeiroAno = 1999;
constexpr int kUltimoAno = 2010;

struct Empresa {
    std::uint32_t codigo = 0;
    std::string nome;  // UTF-8, trailing blanks cut
    int tipoNbm = 0, tipoFornecedor = 0;
};

struct Produto {
    Decimal codigo, aliquota;
};

// Every company of the register, in code order; none when the register does not exist yet.
std::vector<Empresa> Empresas(std::string_view pastaRaiz) {
    std::vector<Empresa> out;
    lote::Aberta emp(dictionary::Empresa());
    emp.fm.set_create(false);
    const std::string arquivo = dictionary::CaminhosArquivosComuns(pastaRaiz).CaminhoEmpresa;
    if (const data::Result r = emp.fm.open_path(arquivo); r == data::kFileNotFound) return out;
    else Checa(r, "Abrindo o cadastro de empresas");
    auto& e = emp.fm.rec<EmpresaRec>();
    emp.fm.clear_record();
    Checa(emp.fm.set(keys::EMP_KEY_CODIGO), "Lendo o cadastro de empresas");
    for (;;) {
        const data::Result r = emp.fm.next();
        if (r == data::kRecordNotAvailable) break;
        Checa(r, "Lendo o cadastro de empresas");
        out.push_back({e.Codigo, text::to_utf8(e.RAZAOSOCIAL.clipped()), e.TIPONBM, e.TIPOFORNECEDOR});
    }
    return out;
}

// The highest PALIQ:CODIGO of the file, 0 when it is empty.
Decimal MaiorSequencia(data::FileManager& aliq) {
    auto& a = aliq.rec<ProdutosAliqRec>();
    aliq.clear_record();
    a.CODIGO = Decimal::from_string("99999999999999");
    Checa(aliq.set_at(keys::PALIQ_Key_Codigo), "Lendo o histórico de alíquotas");
    const data::Result r = aliq.previous();
    if (r == data::kRecordNotAvailable) return Decimal(0);
    Checa(r, "Lendo o histórico de alíquotas");
    return a.CODIGO;
}

// One company's (or one shared pair's) conversion, in one transaction; the rows added.
long long ConverteProdutos(const dictionary::CaminhosEmpresa& c, AndamentoConversao& andamento,
                           const ProgressoConversao& progresso) {
    lote::Aberta produtos(dictionary::Produtos());
    produtos.fm.set_create(false);
    if (const data::Result r = produtos.fm.open_path(c.CaminhoProdutos); r == data::kFileNotFound) return 0;
    else Checa(r, "Abrindo o cadastro de produtos");
    lote::Aberta aliq(dictionary::ProdutosAliq());
    Checa(aliq.fm.open_path(c.CaminhoProdutosAliq), "Abrindo o histórico de alíquotas");
    data::Transaction t({&produtos.fm, &aliq.fm});
    Checa(t.status(), "Iniciando a transação");

    std::vector<Produto> lista;
    {
        Checa(data::Cursor::read_only(produtos.fm, {"Codigo", "Alicota"}), "Lendo os produtos");
        auto& p = produtos.fm.rec<ProdutosRec>();
        produtos.fm.clear_record();
        Checa(produtos.fm.set(keys::PRO_KEY_CODIGO), "Lendo os produtos");
        for (;;) {
            const data::Result r = produtos.fm.next();
            if (r == data::kRecordNotAvailable) break;
            Checa(r, "Lendo os produtos");
            lista.push_back({p.Codigo, p.Alicota});
        }
    }
    const std::int64_t historico = aliq.fm.records();
    if (historico < 0) lote::Falha("Contando o histórico de alíquotas");
    andamento.produtos = true;
    andamento.produtosFeitos = 0;
    andamento.produtosTotal = static_cast<long long>(lista.size()) + historico;
    if (progresso && !progresso(andamento)) throw lote::Cancelou{};

    Decimal sequencia = MaiorSequencia(aliq.fm);
    const date::Day inicio = date::make(1900, 1, 1);
    auto& a = aliq.fm.rec<ProdutosAliqRec>();
    long long incluidos = 0;
    for (const Produto& p : lista) {
        aliq.fm.clear_record();
        a.CODIGO_PRODUTO = p.codigo;
        a.ALIQUOTA = p.aliquota;
        a.DATA_INICIAL = inicio;
        const data::Result achou = aliq.fm.get(keys::PALIQ_KEY_PRODUTOALIQ);
        if (achou == data::kRecordNotFound) {
            sequencia = sequencia + Decimal(1);
            aliq.fm.clear_record();
            a.CODIGO_PRODUTO = p.codigo;
            a.CODIGO = sequencia;
            a.ALIQUOTA = p.aliquota;
            a.DATA_INICIAL = inicio;
            const data::Result r = aliq.fm.add();
            if (r.ok()) ++incluidos;
            else if (r != data::kDuplicateKey) lote::Falha("Gravando o histórico do produto " + p.codigo.to_fixed(0));
        } else {
            Checa(achou, "Lendo o histórico do produto " + p.codigo.to_fixed(0));
        }
        ++andamento.produtosFeitos;
        if (progresso && !progresso(andamento)) throw lote::Cancelou{};
    }
    Checa(t.commit(), "Confirmando o histórico de alíquotas");
    return incluidos;
}

}  // namespace

ResultadoConversao AtualizaArquivos(std::string_view pastaRaiz, const ProgressoConversao& progresso) {
    ResultadoConversao r;
    std::vector<Empresa> empresas;
    try {
        empresas = Empresas(pastaRaiz);
    } catch (const lote::Falhou& f) {
        r.falhas.push_back(f.texto);
        return r;
    }
    AndamentoConversao andamento;
    andamento.empresasTotal = static_cast<long long>(empresas.size());
    std::set<std::pair<std::string, std::string>> convertidos;  // (products, history) files done
    for (const Empresa& e : empresas) {
        andamento.empresa = e.nome;
        andamento.produtos = false;
        andamento.produtosFeitos = andamento.produtosTotal = 0;
        const dictionary::CaminhosEmpresa c =
            dictionary::CaminhosArquivosEmpresa(pastaRaiz, e.codigo, e.tipoNbm, e.tipoFornecedor);
        const std::string qual = "Empresa " + std::to_string(e.codigo) + " (" + e.nome + ")";
        try {
            if (const std::error_code ec = dictionary::CriaPastas(c))
                throw lote::Falhou{"Criando a pasta da empresa: " + ec.message()};
            for (int ano = kPrimeiroAno; ano <= kUltimoAno; ++ano) {
                andamento.ano = ano;
                if (progresso && !progresso(andamento)) throw lote::Cancelou{};
                if (const std::error_code ec = dictionary::CriaPastas(dictionary::CaminhosArquivosAno(pastaRaiz, e.codigo, ano)))
                    throw lote::Falhou{"Criando a pasta do ano " + std::to_string(ano) + ": " + ec.message()};
            }
            andamento.ano = kPrimeiroAno;
            if (convertidos.insert({c.CaminhoProdutos, c.CaminhoProdutosAliq}).second)
                r.incluidos += ConverteProdutos(c, andamento, progresso);
        } catch (const lote::Falhou& f) {
            r.falhas.push_back(qual + ": " + f.texto);
        } catch (const lote::Cancelou&) {
            r.cancelado = true;
            return r;
        }
        ++r.empresas;
        andamento.empresasFeitas = r.empresas;
        if (progresso && !progresso(andamento)) {
            r.cancelado = true;
            return r;
        }
    }
    return r;
}

}  // namespace vorel::maintenance
