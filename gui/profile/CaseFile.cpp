#include "gui/profile/CaseFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>

#include "gui/profile/MeasuredProfileModel.h"
#include "gui/profile/ProfileChart.h"
#include "shore/model_choice.h"

namespace saiha::profile {

namespace {

const QString kFormat = QStringLiteral("saiha-case");
const QString kMeasuredKey = QStringLiteral("measured_profile");

// The members of "inputs", in the order of sheet::kInputBoxes.
const std::array<QString, sheet::kInputBoxes.size()> kInputKeys = {
    QStringLiteral("Ho"), QStringLiteral("T"), QStringLiteral("alpha0"), QStringLiteral("n"),
    QStringLiteral("h")};
// The members of "transport", in the order of ProfileChoices::transport.
const std::array<QString, 4> kTransportKeys = {QStringLiteral("K"), QStringLiteral("rho"),
                                               QStringLiteral("rho_s"),
                                               QStringLiteral("porosity")};

QJsonArray names(const QStringList& list) { return QJsonArray::fromStringList(list); }

// Reading stops at the first fault; `error` says where it is.
class Reader {
 public:
  explicit Reader(QString* error) : error_(error) {}
  bool failed() const { return failed_; }

  QJsonObject object(const QJsonObject& in, const QString& key) {
    const QJsonValue v = in.value(key);
    if (!v.isObject()) fail(key);
    return v.toObject();
  }
  QString string(const QJsonObject& in, const QString& key, const QString& where) {
    const QJsonValue v = in.value(key);
    if (!v.isString()) fail(where + key);
    return v.toString();
  }
  bool boolean(const QJsonObject& in, const QString& key, const QString& where) {
    const QJsonValue v = in.value(key);
    if (!v.isBool()) fail(where + key);
    return v.toBool();
  }
  // A list of names, each one of `known`.
  QStringList list(const QJsonObject& in, const QString& key, const QString& where,
                   const QStringList& known) {
    const QJsonValue v = in.value(key);
    QStringList out;
    if (!v.isArray()) {
      fail(where + key);
      return out;
    }
    for (const QJsonValue& item : v.toArray()) {
      if (!item.isString()) {
        fail(where + key);
      } else if (!known.contains(item.toString())) {
        unknown(where + key, item.toString());
      } else {
        out.append(item.toString());
      }
    }
    return out;
  }
  void unknown(const QString& member, const QString& value) {
    if (failed_) return;
    failed_ = true;
    *error_ = CaseFile::tr("ケースファイルの %1 の値 \"%2\" はこのプログラムにはありません．")
                  .arg(member, value);
  }

 private:
  void fail(const QString& member) {
    if (failed_) return;
    failed_ = true;
    *error_ = CaseFile::tr("ケースファイルの %1 がないか，その型が違います．").arg(member);
  }
  QString* error_;
  bool failed_ = false;
};

template <class Range, class Name>
QStringList stableNames(const Range& values, Name name) {
  QStringList out;
  for (const auto value : values) out.append(QString::fromUtf8(name(value).data()));
  return out;
}

// The second quantities' stable names, in the order of kQuantities.
QStringList quantityNames() {
  static_assert(kQuantities.size() == 7);
  return {QStringLiteral("theta"),    QStringLiteral("L"),         QStringLiteral("C"),
          QStringLiteral("u_bottom"), QStringLiteral("a_bottom"), QStringLiteral("u_surface"),
          QStringLiteral("a_surface")};
}

}  // namespace

QString quantityName(std::size_t index) { return quantityNames().value(qsizetype(index)); }
int quantityIndex(const QString& name) { return int(quantityNames().indexOf(name)); }

QByteArray caseJson(const Case& c) {
  QJsonObject inputs;
  for (std::size_t i = 0; i < kInputKeys.size(); ++i) inputs[kInputKeys[i]] = c.inputs[i];
  const ProfileChoices& p = c.choices;
  QJsonObject transport;
  for (std::size_t i = 0; i < kTransportKeys.size(); ++i) transport[kTransportKeys[i]] = p.transport[i];
  QJsonObject root;
  root[QStringLiteral("format")] = kFormat;
  root[QStringLiteral("version")] = kCaseVersion;
  root[QStringLiteral("inputs")] = inputs;
  root[QStringLiteral("models")] = QJsonObject{{QStringLiteral("breakers"), names(p.breakers)},
                                               {QStringLiteral("shoalings"), names(p.shoalings)}};
  root[QStringLiteral("second_quantity")] = p.quantity;
  root[QStringLiteral("transport")] = transport;
  root[QStringLiteral("random")] = QJsonObject{{QStringLiteral("H0p"), p.randomHeight},
                                               {QStringLiteral("T13"), p.randomPeriod},
                                               {QStringLiteral("typed"), p.randomTyped}};
  // A measured profile only when one was opened: a case of the plane beach
  // alone reads as before.
  const MeasuredChoices& m = p.measured;
  if (!m.path.isEmpty()) {
    root[kMeasuredKey] = QJsonObject{{QStringLiteral("path"), m.path},
                                     {QStringLiteral("Hrms0"), m.Hrms0},
                                     {QStringLiteral("Tp"), m.Tp},
                                     {QStringLiteral("theta0"), m.theta0},
                                     {QStringLiteral("tide"), m.tide},
                                     {QStringLiteral("typed"), m.typed},
                                     {QStringLiteral("dissipation"), m.dissipation},
                                     {QStringLiteral("gamma"), m.gamma},
                                     {QStringLiteral("roughness"), m.roughness}};
  }
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Case> readCase(const QByteArray& bytes, QString* error) {
  QString ignored;
  if (!error) error = &ignored;
  QJsonParseError parse{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
  if (parse.error != QJsonParseError::NoError) {
    *error = CaseFile::tr("ケースファイルとして読めません（JSON の誤り: %1，%2 バイト目）．")
                 .arg(parse.errorString())
                 .arg(parse.offset);
    return std::nullopt;
  }
  const QJsonObject root = document.object();
  if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormat) {
    *error = CaseFile::tr("砕波の計算のケースファイルではありません．");
    return std::nullopt;
  }
  const QJsonValue version = root.value(QStringLiteral("version"));
  // A version is a whole number from 1 on; JSON gives it as a double.
  const double v = version.toDouble(-1);
  if (!version.isDouble() || v < 1 || v != double(qint64(v))) {
    *error = CaseFile::tr("ケースファイルの version がないか，その型が違います．");
    return std::nullopt;
  }
  if (v > kCaseVersion) {
    *error = CaseFile::tr("このケースファイルは新しい形式（version %1）で書かれています．"
                          "このプログラムが読めるのは version %2 までです．")
                 .arg(qint64(v))
                 .arg(kCaseVersion);
    return std::nullopt;
  }

  Reader read(error);
  Case c;
  const QJsonObject inputs = read.object(root, QStringLiteral("inputs"));
  for (std::size_t i = 0; i < kInputKeys.size(); ++i) {
    c.inputs[i] = read.string(inputs, kInputKeys[i], QStringLiteral("inputs."));
  }
  ProfileChoices& p = c.choices;
  const QJsonObject models = read.object(root, QStringLiteral("models"));
  p.breakers = read.list(models, QStringLiteral("breakers"), QStringLiteral("models."),
                         stableNames(shore::kBreakerLimits, shore::breakerName));
  p.shoalings = read.list(models, QStringLiteral("shoalings"), QStringLiteral("models."),
                          stableNames(shore::kShoalings, shore::shoalingName));
  p.quantity = read.string(root, QStringLiteral("second_quantity"), QString());
  if (!read.failed() && quantityIndex(p.quantity) < 0) {
    read.unknown(QStringLiteral("second_quantity"), p.quantity);
  }
  const QJsonObject transport = read.object(root, QStringLiteral("transport"));
  for (std::size_t i = 0; i < kTransportKeys.size(); ++i) {
    p.transport[i] = read.string(transport, kTransportKeys[i], QStringLiteral("transport."));
  }
  const QJsonObject random = read.object(root, QStringLiteral("random"));
  p.randomHeight = read.string(random, QStringLiteral("H0p"), QStringLiteral("random."));
  p.randomPeriod = read.string(random, QStringLiteral("T13"), QStringLiteral("random."));
  p.randomTyped = read.boolean(random, QStringLiteral("typed"), QStringLiteral("random."));
  if (root.contains(kMeasuredKey)) {
    const QString where = kMeasuredKey + QLatin1Char('.');
    const QJsonObject measured = read.object(root, kMeasuredKey);
    MeasuredChoices& m = p.measured;
    m.path = read.string(measured, QStringLiteral("path"), where);
    m.Hrms0 = read.string(measured, QStringLiteral("Hrms0"), where);
    m.Tp = read.string(measured, QStringLiteral("Tp"), where);
    m.theta0 = read.string(measured, QStringLiteral("theta0"), where);
    m.tide = read.string(measured, QStringLiteral("tide"), where);
    m.typed = read.boolean(measured, QStringLiteral("typed"), where);
    m.dissipation = read.string(measured, QStringLiteral("dissipation"), where);
    m.gamma = read.string(measured, QStringLiteral("gamma"), where);
    if (!read.failed() && MeasuredProfileModel::dissipationIndex(m.dissipation) < 0) {
      read.unknown(where + QStringLiteral("dissipation"), m.dissipation);
    }
    if (!read.failed() && MeasuredProfileModel::gammaIndex(m.gamma) < 0) {
      read.unknown(where + QStringLiteral("gamma"), m.gamma);
    }
    if (measured.contains(QStringLiteral("roughness"))) {
      m.roughness = read.string(measured, QStringLiteral("roughness"), where);
      if (!read.failed() && MeasuredProfileModel::roughnessIndex(m.roughness) < 0) {
        read.unknown(where + QStringLiteral("roughness"), m.roughness);
      }
    }
  }
  if (read.failed()) return std::nullopt;
  return c;
}

}  // namespace saiha::profile
