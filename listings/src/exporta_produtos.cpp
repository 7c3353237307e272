// The export "Relacao_Produtos.csv" of the window "Relação de Produtos": the working company
// (`Empresa`) in its heading and every product of `Produtos` in code or description order, `;`
// between fields, accents stripped. The lines go to a new file beside the target, which replaces
// the target only when every write and the close succeeded.
#include "estilo.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/produtos.h"
#include "vorel/shell/text_report.h"

namespace vorel::listings {

namespace {

std::string LinhaProduto(const dictionary::ProdutosRec& p) {
    return p.Codigo.value().to_string() + ";" + std::string(text::clip(p.Produtos.value())) + ";" +
           std::string(text::clip(p.Apelido.value())) + ";" + text::pad(p.Medida.value(), 6) + ";" +
           picture::format("@d06b", p.DataInicio) + ";" + picture::format("@d6b", p.DataFinal) + ";" +
           picture::format("@n8`3", p.Alicota.value()) + ";" + picture::format("@n9`4", p.AliqReducao.value());
}

report::Outcome Escreve(shell::ArquivoTexto& arq, std::uint32_t empresa, std::string_view caminho, OrdemProdutos ordem,
                        const std::function<void(std::size_t, std::size_t)>& progresso) {
    if (report::Outcome o = arq.AbreExportacao(caminho); !o.ok()) return o;
    const estilo::Empresa e = estilo::LeEmpresa(empresa);
    const std::string cabecalho[] = {
        estilo::W(";;;;Relação de Produtos"),
        "Empresa: ;" + std::string(text::clip(e.razao)) + ";" + "CNPJ: " + text::pad(e.cgc, 14),
        "",
        estilo::W("Código ;Descrição do Produto;Apelido;UN;Data Inicial;Data Final;Aliq;A. Red."),
    };
    for (const std::string& l : cabecalho)
        if (report::Outcome o = arq.GravaLinhaTexto(l); !o.ok()) return o;
    estilo::Leitura produtos(dictionary::Produtos(), "Produtos");
    if (!produtos.Abre(ordem == OrdemProdutos::Codigo ? dictionary::keys::PRO_KEY_CODIGO
                                                      : dictionary::keys::PRO_KEY_PRODUTO))
        return report::Outcome::failure("O cadastro de produtos não pôde ser aberto.");
    const std::size_t total = produtos.Total();
    std::size_t lidos = 0;
    while (produtos.Proximo()) {
        if (report::Outcome o = arq.GravaLinhaTexto(LinhaProduto(produtos.rec<dictionary::ProdutosRec>())); !o.ok())
            return o;
        if (progresso) progresso(++lidos, total);
    }
    return arq.Fecha();
}

}  // namespace

report::Outcome ExportaProdutos(std::uint32_t empresa, std::string_view caminho, OrdemProdutos ordem,
                                const std::function<void(std::size_t, std::size_t)>& progresso) {
    const std::string alvo(text::clip(caminho));
    const std::string novo = alvo + ".novo";
    report::Outcome o;
    {
        shell::ArquivoTexto arq;
        o = Escreve(arq, empresa, novo, ordem, progresso);
    }
    if (o.ok()) {
        if (std::error_code ec = files::rename(novo, alvo); ec)
            o = report::Outcome::failure("Não foi possível gravar " + text::to_utf8(alvo) + ": " + ec.message());
    }
    if (!o.ok()) (void)files::remove_file(novo);
    return o;
}

}  // namespace vorel::listings
