// A case: what the user typed and chose in both windows, kept in a small JSON
// file (docs/window.md, "Cases") so that a calculation can be reopened or
// handed on.  The texts are kept as typed, not as the numbers read from
// them: a case reopens with the very boxes it was saved from.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "sheet/sheet.h"

namespace saiha::profile {

// The view of a measured profile: the profile file (absolute; empty for
// none), the sea boxes as typed when the user typed them (empty while they
// follow the calculation window's wave), and the model by stable name.
struct MeasuredChoices {
  QString path;
  QString Hrms0, Tp, theta0, tide;
  bool typed = false;
  QString dissipation = QStringLiteral("bj78");
  QString gamma = QStringLiteral("ruessink2003");
  // The current's apparent bed roughness by site ("duck", "egmond"); a case
  // written before it was offered has none and reads as "duck".
  QString roughness = QStringLiteral("duck");

  bool operator==(const MeasuredChoices&) const = default;
};

// The profile window's own choices.
struct ProfileChoices {
  // Stable names of the checked breaker limits and shoaling rules
  // (shore::breakerName, shore::shoalingName), in the panel's order.
  QStringList breakers;
  QStringList shoalings;
  // The second quantity by its column name in the station CSV ("theta",
  // "L", "C", "u_bottom", "a_bottom", "u_surface", "a_surface").
  QString quantity;
  // The texts of K, ρ, ρs and p.
  std::array<QString, 4> transport;
  // The random-wave boxes H0′ and T1/3, and whether the user typed them
  // (otherwise they follow the calculation window's Ho and T).
  QString randomHeight;
  QString randomPeriod;
  bool randomTyped = false;
  MeasuredChoices measured;

  bool operator==(const ProfileChoices&) const = default;
};

struct Case {
  // The input boxes' texts in the order of sheet::kInputBoxes.
  std::array<QString, sheet::kInputBoxes.size()> inputs;
  ProfileChoices choices;

  bool operator==(const Case&) const = default;
};

// The format version this program writes and the newest it reads.
inline constexpr int kCaseVersion = 1;

// The case as an indented UTF-8 JSON document.
QByteArray caseJson(const Case& c);

// The case in `bytes`, or nothing with the reason in `*error` (in the
// window's language): not JSON, not a case, a newer format version, a member
// missing or of the wrong type, a model or quantity this program does not
// know.  Nothing is partly read.
std::optional<Case> readCase(const QByteArray& bytes, QString* error);

// The stable name of the second quantity kQuantities[index] ("theta", "L"
// …), and the index of a name (-1 for none).
QString quantityName(std::size_t index);
int quantityIndex(const QString& name);

// The translation context of the messages above.
class CaseFile {
  Q_DECLARE_TR_FUNCTIONS(saiha::profile::CaseFile)
};

}  // namespace saiha::profile
