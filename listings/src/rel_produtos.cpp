// Reports "RelProdutosW01_Codigo", "RelProdutosW01_Descricao", "RelProdutosW02_Codigo" and
// "RelProdutosW02_Descricao" ("Relação de Produtos ..."): the product register (`Produtos`) by code
// or by description, all products or those whose rate is exactly 0, with the working company
// (`Empresa`) in the page header. A4 portrait, no totals; never e-mailed.
#include "estilo.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/produtos.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::Caixa;
using estilo::Fonte;
using estilo::Times;
using estilo::W;
using report::Align;
using report::BandPainter;

struct Variante {
    const char* nome;
    const char* titulo;  // UTF-8
};

Variante VarianteDe(ModeloProdutos modelo, OrdemProdutos ordem) {
    const bool zero = modelo == ModeloProdutos::AliquotaZero, codigo = ordem == OrdemProdutos::Codigo;
    if (zero)
        return codigo ? Variante{"RelProdutosW02_Codigo", "Relação de Produtos Aliquota Zero - Código"}
                      : Variante{"RelProdutosW02_Descricao", "Relação de Produtos Aliquota Zero - Descrição"};
    return codigo ? Variante{"RelProdutosW01_Codigo", "Relação de Produtos - Código"}
                  : Variante{"RelProdutosW01_Descricao", "Relação de Produtos - Descrição"};
}

class RelatorioProdutos {
public:
    RelatorioProdutos(std::uint32_t empresa, ModeloProdutos modelo, OrdemProdutos ordem)
        : modelo_(modelo), ordem_(ordem), variante_(VarianteDe(modelo, ordem)),
          relatorio_(estilo::PaginaA4(6, 7, 27, 276, variante_.nome)), produtos_(dictionary::Produtos(), "Produtos") {
        empresa_ = estilo::LeEmpresa(empresa);
        rodape_ = shell::RodapeRelatorio();
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }
    const char* nome() const { return variante_.nome; }

    report::RecordLoop Laco() {
        (void)produtos_.Abre(ordem_ == OrdemProdutos::Codigo ? dictionary::keys::PRO_KEY_CODIGO
                                                             : dictionary::keys::PRO_KEY_PRODUTO);
        if (modelo_ == ModeloProdutos::AliquotaZero)
            produtos_.Filtro([this] { return produtos_.rec<dictionary::ProdutosRec>().Alicota.value().is_zero(); });
        return estilo::LacoListagem(produtos_, [this] { return Detalhe(produtos_.rec<dictionary::ProdutosRec>()); },
                                    estilo::BandaFecho(194, 6, rodape_, 9));
    }

private:
    static report::Band Detalhe(const dictionary::ProdutosRec& p) {
        return {estilo::Mm(3),
                [codigo = p.Codigo.value().to_string(), descricao = picture::format("@s100", p.Produtos.value()),
                 apelido = picture::format("@s20", p.Apelido.value()), medida = picture::format("@s6", p.Medida.value()),
                 inicio = picture::format("@D06b", p.DataInicio), fim = picture::format("@D06b", p.DataFinal),
                 aliquota = picture::format("@n-8.3", p.Alicota.value()),
                 reducao = picture::format("@n-9.4", p.AliqReducao.value())](BandPainter& b) {
                    const report::Font f = Fonte(8);
                    b.text(Caixa(2, 0, 19, 3), codigo, f);
                    b.text(Caixa(21, 0, 77, 3), descricao, f);
                    b.text(Caixa(100, 0, 26, 3), apelido, f);
                    b.text(Caixa(127, 0, 5, 3), medida, f);
                    b.text(Caixa(134, 0, 18, 3), inicio, f, Align::Center);
                    b.text(Caixa(153, 0, 18, 3), fim, f, Align::Center);
                    b.text(Caixa(172, 0, 9, 3), aliquota, f, Align::Right);
                    b.text(Caixa(181, 0, 13, 3), reducao, f, Align::Right);
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({estilo::Mm(20), [this](BandPainter& p) {
            p.text(Caixa(2, 0, 191, 8), W(variante_.titulo), Fonte(16, true), Align::Center);
            estilo::CabecalhoListagem(p, empresa_);
            const report::Font f = Times(10, true);
            p.text(Caixa(2, 15, 19, 4), W("Código"), f);
            p.text(Caixa(21, 15, 77, 4), W("Descrição do Produto"), f);
            p.text(Caixa(100, 15, 26, 4), "Apelido", f);
            p.text(Caixa(127, 15, 6, 4), "UN", f);
            p.text(Caixa(134, 15, 18, 4), "Data Inicial", f);
            p.text(Caixa(153, 15, 18, 4), "Data Final", f, Align::Center);
            p.text(Caixa(175, 15, 8, 4), "Aliq", f);
            p.text(Caixa(182, 15, 12, 4), "A. Red.", f);
        }});
        relatorio_.set_page_footer(estilo::RodapeListagem(rodape_));
    }

    ModeloProdutos modelo_;
    OrdemProdutos ordem_;
    Variante variante_;
    report::ReportController relatorio_;
    estilo::Leitura produtos_;
    estilo::Empresa empresa_;
    std::string rodape_;
};

}  // namespace

report::Document DocumentoRelProdutos(std::uint32_t empresa, ModeloProdutos modelo, OrdemProdutos ordem) {
    RelatorioProdutos r(empresa, modelo, ordem);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelProdutos(ui::ProcContext& ctx, std::uint32_t empresa, ModeloProdutos modelo, OrdemProdutos ordem) {
    RelatorioProdutos r(empresa, modelo, ordem);
    data::ProcedureScope procedimento(r.nome());
    ctx.response = estilo::ExecutaSemEmail(ctx, r.relatorio(), r.Laco(), r.nome());
}

}  // namespace vorel::listings
