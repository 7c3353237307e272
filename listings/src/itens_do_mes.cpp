// The movement listings' shared pieces (itens_do_mes.h).
#include "itens_do_mes.h"

#include <algorithm>
#include <limits>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

namespace vorel::listings {

bool ParteEscolhida::Aceita(std::string_view cnpjItem, std::uint32_t codigoItem) const {
    if (!Filtra()) return true;
    if (!cgc.empty()) return itens::MesmoNumero(cgc, cnpjItem);
    return codigoItem == codigo || (!cpf.empty() && itens::MesmoNumero(cpf, cnpjItem));
}

namespace itens {

std::optional<std::uint64_t> NumeroDoTexto(std::string_view texto) {
    const std::string_view t = text::trim(texto);
    if (t.size() > 19) return std::nullopt;
    std::uint64_t n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n;
}

bool MesmoNumero(std::string_view a, std::string_view b) {
    const std::optional<std::uint64_t> x = NumeroDoTexto(a), y = NumeroDoTexto(b);
    return x && y && *x == *y;
}

unsigned long long LeituraNumerica(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') ++i;
    unsigned long long n = 0;
    for (; i < texto.size() && texto[i] >= '0' && texto[i] <= '9' && n < 100000000000000000ULL; ++i)
        n = n * 10 + static_cast<unsigned long long>(texto[i] - '0');
    return n;
}

std::string NumeroLargo(const char* pic, int largura, const Decimal& valor, int maxima, const char* sufixo) {
    const picture::Picture p(std::string(pic) + std::to_string(largura) + sufixo);
    if (picture::fits(p, valor)) return picture::format(p, valor);
    return std::string(text::trim(picture::format(std::string(pic) + std::to_string(maxima) + sufixo, valor)));
}

NumeroFixo::NumeroFixo(const char* pic, int largura, const char* sufixo, int maxima)
    : normal_(std::string(pic) + std::to_string(largura) + sufixo), larga_(std::string(pic) + std::to_string(maxima) + sufixo) {}

std::string NumeroFixo::operator()(const Decimal& valor) const {
    if (picture::fits(normal_, valor)) return picture::format(normal_, valor);
    return std::string(text::trim(picture::format(larga_, valor)));
}

std::string TextoCodigo(std::uint64_t codigo) {
    static const picture::Picture n5("@n5");
    const Decimal d(static_cast<unsigned long long>(codigo));
    if (picture::fits(n5, d)) return picture::format(n5, d);
    return NumeroLargo("@n", 5, d, 26);
}

ItensDoMes::ItensDoMes(const data::TableDesc& tabela, std::string nome, data::KeyName chave, DataDoItem data)
    : fm_(tabela), nome_(std::move(nome)), chave_(chave), data_(data) {}

ItensDoMes::~ItensDoMes() {
    if (aberta_) (void)fm_.close();
}

bool ItensDoMes::Abre(date::Day inicio, date::Day fim, const std::function<void(data::FileManager&)>& seleciona) {
    fim_ = fim;
    data::AbreArquivo(fm_, 1, 0, 0, 1);
    aberta_ = fm_.is_open();
    if (!aberta_) return false;
    // One pass in key order: a small page cache keeps the memory flat however long the month.
    (void)fm_.send("CacheKiB=1024");
    if (seleciona) seleciona(fm_);
    fm_.clear_record();
    // The key's first component is the item's date: the month is one stretch of it.
    data_(fm_) = inicio;
    const int chave = fm_.key_number(chave_);
    if (!fm_.set_at(chave, 1).ok()) data::AvisoPadraoSemTexto(36);
    return true;
}

bool ItensDoMes::Proximo() {
    if (!aberta_ || acabou_) return false;
    const data::Result r = fm_.next();
    if (!r.ok()) {
        if (r != data::kRecordNotAvailable) data::AvisoPadraoComTexto(35, nome_);
        acabou_ = true;
        return false;
    }
    if (data_(fm_) > fim_) acabou_ = true;
    return !acabou_;
}

std::size_t ItensDoMes::Total() {
    if (!aberta_) return 0;
    return static_cast<std::size_t>(std::max<std::int64_t>(0, fm_.records()));
}

Consultas::Consultas(const shell::EmpresaPeriodo& periodo)
    : forcli_(dictionary::ForCli()), produtos_(dictionary::Produtos()) {
    // The period's company's registers; one that cannot open is named in the standard warning and
    // its look-ups come out blank.
    for (data::FileManager* fm : {&forcli_, &produtos_})
        if (!shell::AbreNoAno(*fm, periodo).ok())
            data::AvisoPadraoComTexto(30, shell::ArquivoDaEmpresa(fm->desc(), periodo.empresa));
    // Of the wide registers only what the listings show.
    if (forcli_.is_open()) (void)data::Cursor::read_only(forcli_, {"Nome"});
    if (produtos_.is_open()) (void)data::Cursor::read_only(produtos_, {"Produtos", "Alicota"});
}

std::vector<data::FileManager*> Consultas::Tabelas() {
    std::vector<data::FileManager*> t;
    for (data::FileManager* fm : {&forcli_, &produtos_})
        if (fm->is_open()) t.push_back(fm);
    return t;
}

Consultas::~Consultas() {
    if (forcli_.is_open()) (void)forcli_.close();
    if (produtos_.is_open()) (void)produtos_.close();
}

Consultas::Parte Consultas::LeParte(std::string_view cnpjItem, std::uint32_t codigoItem,
                                    const ParteEscolhida& escolhida) {
    Parte p;
    const std::string_view cnpj = text::clip(cnpjItem);
    if (codigoItem == 0 && escolhida.PorCpf()) {
        // Listed under a party chosen by CPF: its CPF is in the CNPJ field.
        p.nome = escolhida.nome;
        if (cnpj.size() != 14)
            if (std::optional<std::uint64_t> n = NumeroDoTexto(cnpj)) p.codigo = n;
        return p;
    }
    if (!forcli_.is_open()) return p;
    auto& f = forcli_.rec<dictionary::ForCliRec>();
    bool achou = false;
    if (codigoItem > 0) {
        achou = fiscal::LeFornecedorPorCodigo(forcli_, codigoItem);
    } else if (cnpj.size() == 14) {
        achou = fiscal::LeFornecedorPorCnpj(forcli_, cnpj);
    } else {
        p.codigo = NumeroDoTexto(cnpj).value_or(0);
        forcli_.clear_record();
        if (*p.codigo <= std::numeric_limits<std::uint32_t>::max()) {
            f.Codigo = static_cast<std::uint32_t>(*p.codigo);
            f.Inativo = 0;
            achou = forcli_.get(dictionary::keys::FOR_KEY_CODIGO).ok();
        }
    }
    if (achou) p.nome = std::string(text::clip(f.Nome.value()));
    return p;
}

Consultas::Produto Consultas::LeProduto(const Decimal& codigo) {
    if (!produtos_.is_open() || !fiscal::LeProdutoPorCodigo(produtos_, codigo)) return {};
    const auto& r = produtos_.rec<dictionary::ProdutosRec>();
    return {std::string(text::clip(r.Produtos.value())), r.Alicota.value()};
}

ItensListados::ItensListados(const shell::EmpresaPeriodo& periodo, ParteEscolhida parte, const data::TableDesc& tabela,
                             std::string nome, data::KeyName chave, ItensDoMes::DataDoItem data)
    : itens_(tabela, std::move(nome), chave, data), periodo_(periodo), escolhida_(std::move(parte)) {}

bool ItensListados::Abre() {
    if (!itens_.Abre(periodo_.Inicio(), periodo_.Fim(), [this](data::FileManager& fm) { Seleciona(fm); })) return false;
    std::vector<data::FileManager*> tabelas = consultas_.Tabelas();
    tabelas.push_back(&itens_.tabela());
    leitura_.emplace(tabelas, 10);
    if (!leitura_->status().ok()) leitura_.reset();  // the items are read all the same, each read locking
    return true;
}

bool ItensListados::Le() {
    if (!itens_.Proximo()) {
        Encerra();
        return false;
    }
    ++lidas_;
    return true;
}

bool ItensListados::Listada() {
    const std::string_view cnpj = CnpjDoItem();
    const std::uint32_t codigo = CodigoDoItem();
    if (!escolhida_.Aceita(cnpj, codigo)) return false;
    produto_ = consultas_.LeProduto(ProdutoDoItem());
    parte_ = consultas_.LeParte(cnpj, codigo, escolhida_);
    Calcula();
    return true;
}

bool ItensListados::ProximaListada() {
    while (Le())
        if (Listada()) return true;
    return false;
}

Decimal AliquotaPropria(int cfo, const Decimal& aliquotaProduto) {
    if (cfo >= 1000 && cfo <= 1999) return aliquotaProduto;
    if (cfo >= 2000 && cfo <= 2999) return Decimal(12);
    return Decimal(0);
}

Decimal IcmsProprio(const Decimal& base, const Decimal& aliquota) { return (base * aliquota / Decimal(100)).rounded(2); }

void ResumoCfo::Soma(int cfo, const Decimal& aliquota, const Decimal& base, const Decimal& icms) {
    Linha& l = linhas_[{cfo, aliquota}];
    l.base += base;
    l.icms += icms;
}

std::string Brancos(std::size_t n) { return std::string(n, ' '); }

std::string Campo(std::string_view texto, std::size_t largura) { return text::pad(texto, largura); }

std::string Centro(std::string_view texto, std::size_t largura) {
    const std::string_view s = text::trim(texto);
    if (s.size() >= largura) return std::string(s.substr(0, largura));
    const std::size_t antes = (largura - s.size()) / 2;
    return Brancos(antes) + std::string(s) + Brancos(largura - s.size() - antes);
}

std::string Regua() { return "+" + std::string(134, '-') + "+"; }

std::string LinhaParte(const LinhaItem& i) {
    static const NumeroFixo n3("@n", 3), n6("@n", 6), n2("@n", 2);
    static const picture::Picture d06b("@D06b"), n6p("@n6.");
    std::string l = "| " + Campo(i.cnpj, 23) + Campo(i.nome, 30) + Brancos(16);
    l += n3(Decimal(i.serie)) + Brancos(7);
    l += n6(Decimal(i.numero)) + Brancos(11);
    l += picture::format(d06b, i.data) + Brancos(2);
    l += picture::format(n6p, i.cfo) + Brancos(5);
    return l + n2(Decimal(i.complemento)) + Brancos(12) + "|";
}

std::string LinhaProduto(const LinhaItem& i) {
    static const NumeroFixo codigo("@N-", 19, "."), q18("@n-", 18, "`3"), v18("@n-", 18, "`2"), v8("@n-", 8, "`2"),
        v19("@n-", 19, "`2");
    std::string l = "|" + codigo(i.produto) + Brancos(5);
    l += Campo(i.descricao, 30) + Brancos(1);
    l += q18(i.quantidade) + Brancos(5);
    l += v18(i.base) + Brancos(3);
    l += v8(i.aliquota) + Brancos(7);
    return l + v19(i.icms) + Brancos(1) + "|";
}

FolhaTexto::FolhaTexto(const shell::CodigosImpressoraRec& codigos, Forma forma, const EscreveLinha& escreve)
    : c_(codigos), forma_(std::move(forma)), escreve_(escreve), rodape_(shell::RodapeRelatorio()) {
    // A printer without a page length prints pages of 66 lines.
    linhas_ = c_.NLINHAS >= 12 ? c_.NLINHAS : 66;
}

report::Outcome FolhaTexto::Cabecalho() {
    ++pagina_;
    // The page number keeps every digit past 999 rather than wrapping or turning into '#'.
    const std::string pagina =
        text::from_utf8("Número Página....") + (pagina_ <= 999 ? text::zero_fill(pagina_, 3) : std::to_string(pagina_));
    const std::string linhas[] = {
        std::string(text::clip(c_.LEXP)) + std::string(text::clip(c_.LNEG)) + Centro(forma_.titulo, 40) +
            std::string(text::clip(c_.DNEG)) + std::string(text::clip(c_.DEXP)),
        text::right(pagina, std::max<std::size_t>(80, pagina.size())),
        std::string(text::clip(c_.CPI17)) + std::string(136, '='),
        forma_.cabecalho4,
        forma_.cabecalho5,
        forma_.linha6};
    for (const std::string& l : linhas)
        if (report::Outcome o = escreve_(l); !o.ok()) return o;
    contador_ = 6;
    return {};
}

report::Outcome FolhaTexto::Linha(const std::string& linha) {
    ++contador_;
    return escreve_(linha);
}

report::Outcome FolhaTexto::FimDePagina() {
    if (forma_.completaPagina) {
        if (contador_ < linhas_ - 1)
            for (; contador_ < linhas_; ++contador_)
                if (report::Outcome o = escreve_(""); !o.ok()) return o;
    } else if (report::Outcome o = escreve_(std::string(136, '=')); !o.ok()) {
        return o;
    }
    contador_ = 0;
    if (report::Outcome o = escreve_(rodape_); !o.ok()) return o;
    return escreve_("\f");
}

report::Outcome PassaItens(ItensListados& itens, FolhaTexto& folha, int folga,
                           const std::function<std::vector<std::string>()>& linhas, const ProgressoTexto& progresso) {
    const std::size_t total = itens.Abre() ? itens.Total() : 0;
    while (itens.Le()) {
        if (folha.contador() == 0)
            if (report::Outcome o = folha.Cabecalho(); !o.ok()) return o;
        if (itens.Listada()) {
            for (const std::string& l : linhas())
                if (report::Outcome o = folha.Linha(l); !o.ok()) return o;
            if (folha.contador() >= folha.linhasPorPagina() - folga)
                if (report::Outcome o = folha.FimDePagina(); !o.ok()) return o;
        }
        if (progresso) progresso(itens.lidas(), total);
    }
    if (folha.contador() > 0) return folha.FimDePagina();
    return {};
}

void ExecutaTexto(ui::ProcContext& ctx, const char* procedimento, const char* texto, const char* nomeSalvar,
                  const GeraTexto& gera) {
    data::ProcedureScope escopo(procedimento);
    shell::ArquivoTexto arquivo(shell::CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) {
        ui::Message("O relatório não foi impresso.|" + o.error, "!! Atenção !!", ui::Icon::Exclamation);
        return;
    }
    report::Outcome falha;
    if (shell::GLO_CODIMPRESSORA.Get() == 0) {
        // Nothing is written: the viewer shows an empty listing.
        ui::Message("Selecione uma impressora para imprimir", "Impressora não selecionada", ui::Icon::Information);
    } else {
        ui::Window w(ctx, "");
        w.SetCaptionBar(false);
        w.String(1, texto);
        w.Progress(2).Range(0, 100);
        w.Button(3, "&Cancela").Disable();  // acts only once the pass is over, when the window is gone
        w.Open();
        int marcado = -1;
        falha = gera(
            arquivo.codigos(), [&arquivo](const std::string& l) { return arquivo.GravaLinhaTexto(l); },
            [&w, &marcado](std::size_t lidos, std::size_t total) {
                const int pct = total > 0 ? static_cast<int>(std::min<std::size_t>(100, lidos * 100 / total)) : 100;
                if (pct != marcado) w[2].Progress(marcado = pct);
            });
        w.Close();
    }
    if (!falha.ok()) {
        ui::Message("O relatório não foi impresso.|" + falha.error, "!! Atenção !!", ui::Icon::Exclamation);
        arquivo.Apaga();
        return;
    }
    (void)shell::EncerraRelatorioTexto(ctx, arquivo, nomeSalvar);  // tells the user of a failure itself
}

}  // namespace itens
}  // namespace vorel::listings
