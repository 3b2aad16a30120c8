#include "slips/DenpyoStages.h"

#include "model/Denpyo.h"

namespace denpyostages {

QString label(int stage)
{
    static const char16_t *labels[kCount] = {u"見積もり", u"受注", u"納品", u"請求", u"入金"};
    return QString::fromUtf16(labels[stage]);
}

bool flag(const Denpyo &d, int stage)
{
    switch (stage) {
    case 0: return d.Mitsumori();
    case 1: return d.Juchu();
    case 2: return d.Nouhin();
    case 3: return d.Seikyu();
    default: return d.Nyukin();
    }
}

QDateTime date(const Denpyo &d, int stage)
{
    switch (stage) {
    case 0: return d.MitsumoriDate();
    case 1: return d.JuchuDate();
    case 2: return d.NouhinDate();
    case 3: return d.SeikyuDate();
    default: return d.NyukinDate();
    }
}

void set(Denpyo &d, int stage, bool on, const QDateTime &date)
{
    switch (stage) {
    case 0: d.setMitsumori(on); d.setMitsumoriDate(date); break;
    case 1: d.setJuchu(on); d.setJuchuDate(date); break;
    case 2: d.setNouhin(on); d.setNouhinDate(date); break;
    case 3: d.setSeikyu(on); d.setSeikyuDate(date); break;
    default: d.setNyukin(on); d.setNyukinDate(date); break;
    }
}

} // namespace denpyostages
