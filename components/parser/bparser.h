#pragma once

#include <QString>
#include <string>

#include "core/component.h"
#include "evaluation.h"
#include "normalisation.h"
#include "parse_tree.h"

// TBParser: a non-visual component that evaluates arithmetic expressions with the variables
// x, a, b, c, d, the constants pi and e, the operators + - * / mod ^, parentheses, a leading
// minus sign and the functions sin, cos, tan, ln, lg, abs.
//
// Use: set Expression (and OverwriteDecimalSymbol / ConvertAllColonsAndDots), call CreateTree
// and check its result, then set X, A, B, C, D and Precision and call Evaluate as often as
// needed; each Evaluate returns the value in extended precision and leaves its text in
// ErgebnisString.
//
// The parse tree is shared by all instances (RootTree): a build of any instance replaces the
// tree every instance evaluates. Evaluate evaluates whatever tree is current, with this
// instance's variables, Precision and decimal settings. Setting a property has no side effect
// (setting Expression does not rebuild, setting a variable evaluates nothing).
//
// The decimal symbol in use (LandDot) is OverwriteDecimalSymbol when it is not empty, else the
// platform's DecimalSeparator(); it is looked up anew by every build, conversion and
// formatting. Texts are 8-bit; the QString properties carry them as Latin-1.
// One thread; two instances must not build or evaluate at the same time.
class TBParser : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ ExpressionProperty WRITE SetExpressionProperty)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(QString X READ XProperty WRITE SetXProperty)
    Q_PROPERTY(QString A READ AProperty WRITE SetAProperty)
    Q_PROPERTY(QString B READ BProperty WRITE SetBProperty)
    Q_PROPERTY(QString C READ CProperty WRITE SetCProperty)
    Q_PROPERTY(QString D READ DProperty WRITE SetDProperty)
    Q_PROPERTY(QString OverwriteDecimalSymbol READ OverwriteDecimalSymbolProperty WRITE
                   SetOverwriteDecimalSymbolProperty)
    Q_PROPERTY(
        bool ConvertAllColonsAndDots READ ConvertAllColonsAndDots WRITE SetConvertAllColonsAndDots)
    Q_PROPERTY(QString ErgebnisString READ ErgebnisStringProperty)

public:
    explicit TBParser(QObject* owner);
    ~TBParser() override;

    // Normalises Expression (spaces removed, one enclosing pair of parentheses removed,
    // function names rewritten; Expression keeps this text: "sin(x) * 2" -> "s#(x)*2") and
    // builds it into the shared tree. False when the expression is ill-formed; the tree is
    // replaced either way and then holds the parts that could not be split as leaves. Raises
    // nothing.
    [[nodiscard]] bool CreateTree();

    // Evaluates the shared tree, sets ErgebnisString and returns the value. Raises Exception
    // with the evaluator's message ("Division durch 0", "Log von X mit X <= 0", "Kein negativer
    // Ausdruck unter Wurzel erlaubt.", "... kann nicht in eine Zahl umgewandelt werden! (STD)");
    // ErgebnisString then keeps its previous text.
    long double Evaluate();

    // Published properties.
    [[nodiscard]] const std::string& Expression() const { return expression_; }
    void SetExpression(const std::string& value) { expression_ = value; }
    [[nodiscard]] int Precision() const { return precision_; }
    void SetPrecision(int value) { precision_ = value; }
    [[nodiscard]] const std::string& X() const { return variables_.x; }
    void SetX(const std::string& value) { variables_.x = value; }
    [[nodiscard]] const std::string& A() const { return variables_.a; }
    void SetA(const std::string& value) { variables_.a = value; }
    [[nodiscard]] const std::string& B() const { return variables_.b; }
    void SetB(const std::string& value) { variables_.b = value; }
    [[nodiscard]] const std::string& C() const { return variables_.c; }
    void SetC(const std::string& value) { variables_.c = value; }
    [[nodiscard]] const std::string& D() const { return variables_.d; }
    void SetD(const std::string& value) { variables_.d = value; }
    [[nodiscard]] const std::string& OverwriteDecimalSymbol() const {
        return overwrite_decimal_symbol_;
    }
    void SetOverwriteDecimalSymbol(const std::string& value) { overwrite_decimal_symbol_ = value; }
    [[nodiscard]] bool ConvertAllColonsAndDots() const { return convert_all_; }
    void SetConvertAllColonsAndDots(bool value) { convert_all_ = value; }
    // The formatted result of the last successful Evaluate; read only.
    [[nodiscard]] const std::string& ErgebnisString() const;

    // The decimal symbol set by the last InitLandDot.
    [[nodiscard]] const std::string& LandDot() const { return land_dot_; }

    // The steps of building, evaluating and formatting, with this instance's settings.
    void InitLandDot();
    [[nodiscard]] std::string EntferneLeerzeichen(const std::string& text) const;
    [[nodiscard]] std::string WandleSinCosTanUm(const std::string& text) const;
    [[nodiscard]] bool IsZahl(const std::string& text) const;
    [[nodiscard]] bool IsLongDouble(const std::string& text) const;
    [[nodiscard]] long double StrToLongDouble(const std::string& text);
    [[nodiscard]] std::string EntferneKlammern(const std::string& text) const;
    [[nodiscard]] std::string Assiotiativitaet(const std::string& text) const;
    void SplitLowest(std::string& left, std::string& right, std::string& op,
                     const std::string& text) const;
    [[nodiscard]] bool MakeTree(Tree& node, const std::string& text) const;
    [[nodiscard]] long double Eval(const Tree& node);
    [[nodiscard]] static long double modl(long double a, long double b);
    [[nodiscard]] std::string LongDoubleToStr(long double value);
    [[nodiscard]] std::string EntferneNullenUndPunkte(const std::string& text) const;

private:
    QString ExpressionProperty() const;
    void SetExpressionProperty(const QString& value);
    QString XProperty() const;
    void SetXProperty(const QString& value);
    QString AProperty() const;
    void SetAProperty(const QString& value);
    QString BProperty() const;
    void SetBProperty(const QString& value);
    QString CProperty() const;
    void SetCProperty(const QString& value);
    QString DProperty() const;
    void SetDProperty(const QString& value);
    QString OverwriteDecimalSymbolProperty() const;
    void SetOverwriteDecimalSymbolProperty(const QString& value);
    QString ErgebnisStringProperty() const;

    std::string expression_;
    VariableTexts variables_;
    std::string overwrite_decimal_symbol_;
    int precision_ = 8;
    bool convert_all_ = false;
    std::string land_dot_;
    VariableCache variable_cache_;

    // ErgebnisString is formatted when it is first read after an Evaluate, from the value and
    // the Precision and decimal symbol that Evaluate saw, so that evaluations whose text
    // nobody reads cost no formatting. The text is the same as formatting at once.
    mutable std::string ergebnis_string_;
    mutable bool ergebnis_pending_ = false;
    long double pending_value_ = 0.0L;
    int pending_precision_ = 8;
    std::string pending_land_dot_;
};

namespace Bparser {
// Records TBParser on the "Brindlex" component palette page.
void Register();
}  // namespace Bparser
