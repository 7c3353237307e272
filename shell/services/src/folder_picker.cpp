// SelecionaDiretorio ("Selecione Diretório"): the folder picker, a window of its own on the
// caller's thread. No table.
#include "vorel/shell/folder_picker.h"

#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace d = seleciona_diretorio;

std::string ComBarra(std::string s) {
    if (s.empty() || s.back() != '\\') s += '\\';
    return s;
}

bool EhRaiz(const std::string& p) {
    return p.size() <= 1 || (p.size() == 3 && p[1] == ':' && p[2] == '\\');
}

// The pictures of the drive types (2 removable .. 6 RAM disk) and of the folders.
const char* IconeDaUnidade(int tipo) {
    switch (tipo) {
        case 2: return "~SMDSKET.ICO";
        case 4: return "~SMNETWRK.ICO";
        case 5: return "~SMCD.ICO";
        case 6: return "~SMRAM.ICO";
        default: return "~SMDISK.ICO";
    }
}
constexpr int kIconePastaAberta = 1, kIconePastaFechada = 2;

// A folder as this system writes paths (the value handed back stays in program form).
std::string Mostrada(const std::string& pasta) { return text::to_utf8(files::to_display_path(pasta)); }

class Seletor {
public:
    Seletor(ProcContext& ctx, std::string& pasta) : w_(ctx, "Selecione Diretório"), pasta_(pasta) {
        unidades_ = UnidadesDoSistema();
    }

    void Executa(long posicao) {
        Inicio();
        Constroi(posicao);
        Preenche();
        w_.Open();
        w_.Select(d::kPastas);
        for (Event e; (e = w_.Accept()).code != event::None;) Trata(e);
        if (ok_) pasta_ = retVal_;
    }

private:
    // The start folder: the caller's folder in program form with a closing backslash, or, when it
    // names no folder, a blank variable and the first fixed root.
    void Inicio() {
        if (!text::clip(pasta_).empty() && files::is_folder(pasta_)) {
            pasta_ = ComBarra(files::to_program_path(files::resolve(pasta_)));
            retVal_ = text::upper(pasta_);
            for (std::size_t i = 0; i < unidades_.size(); ++i)
                if (retVal_.rfind(text::upper(unidades_[i].raiz), 0) == 0) unidade_ = i;
        } else {
            pasta_.clear();
            for (std::size_t i = unidades_.size(); i-- > 0;)
                if (unidades_[i].tipo == 3) unidade_ = i;
            retVal_ = unidades_.empty() ? std::string("\\") : unidades_[unidade_].raiz;
        }
        escolhida_ = Mostrada(retVal_);
    }

    void Constroi(long posicao) {
        std::vector<std::string> nomes, raizes;
        for (const Unidade& u : unidades_) {
            nomes.push_back(Mostrada(u.raiz));
            raizes.push_back(text::to_utf8(u.raiz));
        }
        unidadeEscolhida_ = raizes.empty() ? std::string() : raizes[unidade_];
        w_.String(d::kEscolhida, "").Use(Use(escolhida_));
        w_.List(d::kPastas, {{"", 160, 'L'}});
        w_.Add(d::kImagem, ControlType::Image);
        w_.Button(d::kAcima, "Nível Anterior").Icon("up");
        w_.DropList(d::kUnidades, Use(unidadeEscolhida_), nomes, raizes).Tip("Seleciona o Drive");
        w_.Button(d::kOk, "&OK");
        w_.Button(d::kCancela, "Cancela");
        MostraUnidade();
        constexpr int kLargura = 180, kAltura = 150;
        if (posicao > 0) w_.SetPosition({10, static_cast<int>(posicao) + 30, kLargura, kAltura});
        if (posicao < 0) w_.SetPosition({10, static_cast<int>(-posicao) - 5 - kAltura, kLargura, kAltura});
    }

    void MostraUnidade() {
        if (unidade_ < unidades_.size()) w_[d::kImagem].Icon(IconeDaUnidade(unidades_[unidade_].tipo));
    }

    // Row 1 the folder itself, then its sub-folders by name (without regard to case), in upper case.
    void Preenche() {
        subpastas_.clear();
        for (const files::Entry& e : files::list(retVal_, "*.*"))
            if (e.folder && e.name != "." && e.name != "..") subpastas_.push_back(e.name);
        std::vector<Row> rows;
        std::string atual = EhRaiz(retVal_) ? retVal_ : retVal_.substr(0, retVal_.size() - 1);
        rows.push_back({Cell{.text = Mostrada(atual), .icon = kIconePastaAberta}});
        for (std::string& nome : subpastas_) {
            nome = text::upper(nome);
            rows.push_back({Cell{.text = text::to_utf8(nome), .icon = kIconePastaFechada}});
        }
        w_[d::kPastas].Rows(std::move(rows)).Selected(1);
        escolhida_ = Mostrada(retVal_);
    }

    // A row of the folder list activated: row 1 goes up, any other into that sub-folder.
    void Ativa(int linha) {
        if (linha <= 1) retVal_ = PastaAcima(retVal_);
        else if (linha - 2 < static_cast<int>(subpastas_.size()))
            retVal_ = retVal_ + subpastas_[static_cast<std::size_t>(linha - 2)] + "\\";
        Preenche();
    }

    void Trata(const Event& e) {
        if (e.code == event::CloseWindow) {
            w_.Close();
        } else if (e.code == event::Accepted && e.feq == d::kPastas) {
            Ativa(w_[d::kPastas].selected());
        } else if (e.code == event::Accepted && e.feq == d::kAcima) {
            w_[d::kPastas].Selected(1);
            Ativa(1);
        } else if (e.code == event::Accepted && e.feq == d::kUnidades) {
            for (std::size_t i = 0; i < unidades_.size(); ++i)
                if (text::to_utf8(unidades_[i].raiz) == unidadeEscolhida_) unidade_ = i;
            if (unidade_ < unidades_.size()) retVal_ = unidades_[unidade_].raiz;
            MostraUnidade();
            Preenche();
            w_.Select(d::kPastas);
        } else if (e.code == event::Accepted && e.feq == d::kOk) {
            ok_ = true;
            w_.Close();
        } else if (e.code == event::Accepted && e.feq == d::kCancela) {
            w_.Close();
        }
    }

    Window w_;
    std::string& pasta_;
    std::vector<Unidade> unidades_;
    std::size_t unidade_ = 0;
    std::string retVal_;            // RetVal: program form, closing backslash
    std::string escolhida_;         // RetVal as this system writes paths (UTF-8)
    std::string unidadeEscolhida_;  // the drive list's value: a root (UTF-8)
    std::vector<std::string> subpastas_;
    bool ok_ = false;
};

}  // namespace

std::vector<Unidade> UnidadesDoSistema() {
    std::vector<Unidade> u;
#ifdef _WIN32
    for (char letra = 'A'; letra <= 'Z'; ++letra) {
        std::string raiz = std::string(1, letra) + ":\\";
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(raiz), ec)) u.push_back({raiz, 3});
    }
#else
    u.push_back({"\\", 3});
#endif
    return u;
}

std::string PastaAcima(const std::string& pasta) {
    std::string p = ComBarra(pasta);
    if (EhRaiz(p)) return p;
    std::size_t barra = p.find_last_of('\\', p.size() - 2);
    return barra == std::string::npos ? p : p.substr(0, barra + 1);
}

void SelecionaDiretorio(ProcContext& ctx, std::string& pasta, long posicao, long) {
    Seletor(ctx, pasta).Executa(posicao);
}

}  // namespace vorel::shell
