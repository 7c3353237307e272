// The management sheets' tables (tabelas_gestao.h).
#include "tabelas_gestao.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/shell/other_year.h"

namespace vorel::sheets {

namespace {

namespace keys = dictionary::keys;

struct Tabela {
    data::FileManager f;
    bool aberta = false;
    // The period's file: its year's movements and balances, its company's registers.
    Tabela(const data::TableDesc& t, const shell::EmpresaPeriodo& p) : f(t) { aberta = shell::AbreNoAno(f, p).ok(); }
    ~Tabela() {
        if (aberta) (void)f.close();
    }
    template <class R>
    R& Limpa() {
        f.clear_record();
        return f.rec<R>();
    }
    bool Get(data::KeyName k) { return aberta && f.get(k).ok(); }
};

}  // namespace

struct TabelasGestao::Estado {
    FormaPlanilha forma;
    int mes, ano;
    shell::EmpresaPeriodo periodo;
    Tabela cfo{dictionary::CFO(), periodo};
    Tabela entradas{dictionary::EntradaVorel(), periodo};
    Tabela forcli{dictionary::ForCli(), periodo};
    Tabela pares{dictionary::ForCliQel(), periodo};
    Tabela lotes{dictionary::LoteVorel(), periodo};
    Tabela produtos{dictionary::Produtos(), periodo};
    Tabela saldos{dictionary::SaldosVorel(), periodo};
    // January reads the previous December from the previous year's file, when it has one.
    std::unique_ptr<shell::OtherYearFile> anoAnterior;
    Decimal aliquota;  // PRO:Alicota of the product last read

    Estado(FormaPlanilha f, const shell::EmpresaPeriodo& p) : forma(f), mes(p.mes), ano(p.ano), periodo(p) {
        if (mes == 1) {
            anoAnterior = std::make_unique<shell::OtherYearFile>(dictionary::SaldosVorel(), p.empresa, ano - 1);
            if (!anoAnterior->open().ok()) anoAnterior.reset();
        }
    }

    std::optional<std::uint8_t> Coluna(std::uint16_t codigo, std::uint8_t complemento) {
        if (!cfo.aberta) return std::nullopt;
        // The page sheet reads the code of no state; the text sheet the code of any state.
        return fiscal::ColunaDoCfo(cfo.f, codigo, complemento,
                                   forma == FormaPlanilha::Pagina ? fiscal::EstadoDoCfo::SemEstado
                                                                  : fiscal::EstadoDoCfo::Qualquer);
    }

    SaldoGestao SaldoAnterior(const Decimal& produto) {
        const date::Day competencia = mes == 1 ? date::make(ano - 1, 12, 1) : date::make(ano, mes - 1, 1);
        data::FileManager* f = anoAnterior ? &anoAnterior->file() : (saldos.aberta ? &saldos.f : nullptr);
        if (!f) return {};
        f->clear_record();
        auto& s = f->rec<dictionary::SaldosVorelRec>();
        s.Produto = produto.to_string();
        s.Competencia = competencia;
        s.Aliquota = aliquota;
        if (!f->get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok()) return {};
        return {s.QuantProdutos.value(), s.ValorUnit.value(), s.BaseAcunulada.value()};
    }

    void Entradas(const Decimal& produto, date::Day ate, const std::function<bool(const EntradaAnterior&)>& visita) {
        auto& e = entradas.Limpa<dictionary::EntradaVorelRec>();
        e.CodMercadoria = produto;
        e.DataEmissao = ate;
        if (!entradas.aberta || !entradas.f.set_at(keys::ENT_KEY_PRODUTODATA).ok()) return;
        while (entradas.f.previous().ok() && e.CodMercadoria.value() == produto) {
            if (e.DataEmissao > ate) continue;
            if (!visita({e.DataEmissao, e.Quantidade.value(), e.BaseICMSPropria.value(), e.Numero == 0})) return;
        }
    }
};

TabelasGestao::TabelasGestao(FormaPlanilha forma, const shell::EmpresaPeriodo& periodo)
    : e_(std::make_unique<Estado>(forma, periodo)) {}
TabelasGestao::~TabelasGestao() = default;

ConsultasGestao TabelasGestao::Consultas() {
    ConsultasGestao c;
    Estado* e = e_.get();
    c.coluna = [e](std::uint16_t codigo, std::uint8_t complemento) { return e->Coluna(codigo, complemento); };
    c.saldoAnterior = [e](const Decimal& produto) { return e->SaldoAnterior(produto); };
    c.entradas = [e](const Decimal& produto, date::Day ate, const std::function<bool(const EntradaAnterior&)>& v) {
        e->Entradas(produto, ate, v);
    };
    return c;
}

ProdutoPlanilha TabelasGestao::Produto(const Decimal& codigo) {
    ProdutoPlanilha p;
    auto& pro = e_->produtos.Limpa<dictionary::ProdutosRec>();
    pro.Codigo = codigo;
    e_->aliquota = Decimal();
    if (!e_->produtos.Get(keys::PRO_KEY_CODIGO)) return p;
    p.descricao = std::string(pro.Produtos.clipped());
    p.medida = std::string(pro.Medida.clipped());
    p.aliquota = e_->aliquota = pro.Alicota.value();
    return p;
}

std::uint8_t TabelasGestao::TipoLote(std::string_view lote, const Decimal& produto) {
    auto& l = e_->lotes.Limpa<dictionary::LoteVorelRec>();
    l.LOTE = lote;
    l.CODPRODUTO = produto;
    if (!e_->lotes.Get(keys::LTC_KEY_LOTEPROD)) return kLoteAusente;
    return l.TIPO == 0 ? kLoteAnterior : kLoteAtual;
}

std::optional<FornecedorLinha> TabelasGestao::FornecedorPorCnpj(std::string_view cnpj) {
    const auto& f = e_->forcli.f.rec<dictionary::ForCliRec>();
    if (!e_->forcli.aberta || !fiscal::LeFornecedorPorCnpj(e_->forcli.f, cnpj)) return std::nullopt;
    return FornecedorLinha{f.Codigo, std::string(f.Nome.clipped()), std::string(f.CGC.clipped())};
}

std::uint32_t TabelasGestao::FornecedorDaLinha(const Decimal& produto, std::string_view lote, std::string_view cnpj,
                                               std::string_view filtro) {
    std::uint32_t codigo = 0;
    auto& par = e_->pares.Limpa<dictionary::ForCliQelRec>();
    par.CODPROD = produto;
    if (e_->pares.aberta && e_->pares.f.set_at(keys::FCC_KEY_PRODFOR).ok() && e_->pares.f.next().ok() &&
        par.CODPROD.value() == produto)
        codigo = par.CODFOR;
    auto& l = e_->lotes.Limpa<dictionary::LoteVorelRec>();
    l.LOTE = lote;
    l.CODPRODUTO = produto;
    l.TIPO = 0;
    if (!e_->lotes.Get(keys::LTC_KEY_LOTEPRODTIPO)) return codigo;
    const std::optional<FornecedorLinha> f = FornecedorPorCnpj(cnpj);
    if (f && (text::clip(filtro).empty() || text::clip(filtro) == f->cgc)) codigo = f->codigo;
    return codigo;
}

}  // namespace vorel::sheets
