#include "bparser.h"

#include "core/component_palette.h"
#include "decimal_separator.h"
#include "number_format.h"
#include "shared_tree.h"

namespace {

QString ToProperty(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromProperty(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

TBParser::TBParser(QObject* owner) : TComponent(owner) {}

TBParser::~TBParser() = default;

void TBParser::InitLandDot() {
    if (overwrite_decimal_symbol_.empty()) {
        // The usual case, and one that evaluations repeat: keep the text when it is current.
        const char separator = DecimalSeparator();
        if (land_dot_.size() != 1 || land_dot_[0] != separator) land_dot_.assign(1, separator);
    } else if (land_dot_ != overwrite_decimal_symbol_) {
        land_dot_ = overwrite_decimal_symbol_;
    }
}

bool TBParser::CreateTree() {
    InitLandDot();
    expression_ = ::EntferneLeerzeichen(expression_);
    expression_ = ::EntferneKlammern(expression_);
    expression_ = ::WandleSinCosTanUm(expression_, land_dot_, convert_all_);
    Tree root;
    const bool built = ::MakeTree(root, expression_);
    ReplaceRootTree(std::move(root));
    return built;
}

long double TBParser::Evaluate() {
    InitLandDot();
    const EvaluationSettings settings{variables_, land_dot_, convert_all_};
    const long double value = CompiledRootTree().Evaluate(settings, variable_cache_);
    pending_value_ = value;
    pending_precision_ = precision_;
    if (pending_land_dot_ != land_dot_) pending_land_dot_ = land_dot_;
    ergebnis_pending_ = true;
    return value;
}

const std::string& TBParser::ErgebnisString() const {
    if (ergebnis_pending_) {
        ergebnis_string_ = ::LongDoubleToStr(pending_value_, pending_precision_, pending_land_dot_);
        ergebnis_pending_ = false;
    }
    return ergebnis_string_;
}

std::string TBParser::EntferneLeerzeichen(const std::string& text) const {
    return ::EntferneLeerzeichen(text);
}

std::string TBParser::WandleSinCosTanUm(const std::string& text) const {
    return ::WandleSinCosTanUm(text, land_dot_, convert_all_);
}

bool TBParser::IsZahl(const std::string& text) const { return ::IsZahl(text); }

bool TBParser::IsLongDouble(const std::string& text) const { return ::IsLongDouble(text); }

long double TBParser::StrToLongDouble(const std::string& text) {
    InitLandDot();
    return ::StrToLongDouble(text, variables_, land_dot_, convert_all_);
}

std::string TBParser::EntferneKlammern(const std::string& text) const {
    return ::EntferneKlammern(text);
}

std::string TBParser::Assiotiativitaet(const std::string& text) const {
    return ::Assiotiativitaet(text);
}

void TBParser::SplitLowest(std::string& left, std::string& right, std::string& op,
                           const std::string& text) const {
    ::SplitLowest(left, right, op, text);
}

bool TBParser::MakeTree(Tree& node, const std::string& text) const {
    return ::MakeTree(node, text);
}

long double TBParser::Eval(const Tree& node) {
    InitLandDot();
    const EvaluationSettings settings{variables_, land_dot_, convert_all_};
    return CompiledTree(node).Evaluate(settings, variable_cache_);
}

long double TBParser::modl(long double a, long double b) { return ::modl(a, b); }

std::string TBParser::LongDoubleToStr(long double value) {
    InitLandDot();
    return ::LongDoubleToStr(value, precision_, land_dot_);
}

std::string TBParser::EntferneNullenUndPunkte(const std::string& text) const {
    return ::EntferneNullenUndPunkte(text, land_dot_);
}

QString TBParser::ExpressionProperty() const { return ToProperty(expression_); }
void TBParser::SetExpressionProperty(const QString& value) { expression_ = FromProperty(value); }
QString TBParser::XProperty() const { return ToProperty(variables_.x); }
void TBParser::SetXProperty(const QString& value) { variables_.x = FromProperty(value); }
QString TBParser::AProperty() const { return ToProperty(variables_.a); }
void TBParser::SetAProperty(const QString& value) { variables_.a = FromProperty(value); }
QString TBParser::BProperty() const { return ToProperty(variables_.b); }
void TBParser::SetBProperty(const QString& value) { variables_.b = FromProperty(value); }
QString TBParser::CProperty() const { return ToProperty(variables_.c); }
void TBParser::SetCProperty(const QString& value) { variables_.c = FromProperty(value); }
QString TBParser::DProperty() const { return ToProperty(variables_.d); }
void TBParser::SetDProperty(const QString& value) { variables_.d = FromProperty(value); }
QString TBParser::OverwriteDecimalSymbolProperty() const {
    return ToProperty(overwrite_decimal_symbol_);
}
void TBParser::SetOverwriteDecimalSymbolProperty(const QString& value) {
    overwrite_decimal_symbol_ = FromProperty(value);
}
QString TBParser::ErgebnisStringProperty() const { return ToProperty(ErgebnisString()); }

namespace Bparser {
void Register() { RegisterComponents(kBrindlexPalettePage, {&TBParser::staticMetaObject}); }
}  // namespace Bparser
