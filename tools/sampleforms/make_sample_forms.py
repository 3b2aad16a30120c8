#!/usr/bin/env python3
"""Writes the sample print forms into samples/<Kind>PrintSampleForm/.

Run from anywhere: python3 tools/sampleforms/make_sample_forms.py
The files it writes are committed; run it again after changing a form here.
Sizes are twips (1440 an inch) on A4 paper with half-inch margins.
"""
import os
from xml.sax.saxutils import quoteattr

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'samples')

MINCHO = 'ＭＳ 明朝'
GOTHIC = 'ＭＳ ゴシック'
YEN = '\\\\#,##0'          # a backslash, printed as the yen sign, then the amount
AMOUNT = '#,##0'
# Unit prices and quantities as stored: their decimals only when they have
# some, to the four places the slip's amounts are computed with.
DECIMAL = '#,##0.####'
YEN_DECIMAL = YEN + '.####'
A4_WIDTH, A4_HEIGHT, MARGIN = 11906, 16838, 720
BODY_WIDTH = A4_WIDTH - 2 * MARGIN
BODY_HEIGHT = A4_HEIGHT - 2 * MARGIN
PAD = 80                   # text kept clear of the ruled lines


class Form:
    def __init__(self, user_data='0;0;0;'):
        self.user_data = user_data
        self.controls = []
        self.counts = {}

    def _name(self, prefix):
        self.counts[prefix] = self.counts.get(prefix, 0) + 1
        return '%s%d' % (prefix, self.counts[prefix])

    def _text(self, kind, prefix, x, y, w, h, text, size=10, font=MINCHO, bold=False, align='Left',
              valign='Middle', fmt='', tag='', border=False, back='#00000000', wrap=False):
        self.controls.append(dict(Kind=kind, Name=self._name(prefix), Left=x, Top=y, Width=w, Height=h,
                                  Text=text, Tag=tag, DataField='', OutputFormat=fmt, FontName=font,
                                  FontSize=size, Bold=bold, Align=align, VAlign=valign, WordWrap=wrap,
                                  Border=border, BackColor=back))

    def label(self, x, y, w, h, text, **kw):
        self._text('Label', 'Label', x, y, w, h, text, **kw)

    def field(self, x, y, w, h, spec, **kw):
        self._text('TextBox', 'Field', x, y, w, h, spec, **kw)

    def line(self, x1, y1, x2, y2, width=15):
        self.controls.append(dict(Kind='Line', Name=self._name('Line'), Left=x1, Top=y1, Width=x2 - x1,
                                  Height=y2 - y1, LineWidth=width))

    def box(self, x, y, w, h, width=15, back='#00000000'):
        self.controls.append(dict(Kind='Shape', Name=self._name('Shape'), Left=x, Top=y, Width=w, Height=h,
                                  LineWidth=width, BackColor=back))

    def pairs(self, x, y, items, label_width=2200, width=5000, step=380, page='P'):
        """Caption and page field side by side, one item a line."""
        for caption, item, *fmt in items:
            self.label(x, y, label_width, 340, caption, font=GOTHIC, size=9)
            self.field(x + label_width, y, width, 340, '%s_%s' % (page, item), fmt=fmt[0] if fmt else '')
            self.line(x + label_width, y + 340, x + label_width + width, y + 340, 10)
            y += step
        return y

    def table(self, top, columns, slots, row_height, header_size=9, size=9):
        """A header row and `slots` numbered rows; columns: (caption, item, width, align, format)."""
        x = 0
        self.box(0, top, BODY_WIDTH, row_height, back='#ffe8e8e8')
        for caption, item, width, align, fmt in columns:
            self.label(x, top, width, row_height, caption, font=GOTHIC, size=header_size, align='Center')
            x += width
        y = top + row_height
        for slot in range(1, slots + 1):
            x = 0
            for caption, item, width, align, fmt in columns:
                self.field(x + PAD, y, width - 2 * PAD, row_height, '%d_%s' % (slot, item), size=size, align=align, fmt=fmt)
                x += width
            self.line(0, y + row_height, BODY_WIDTH, y + row_height, 10)
            y += row_height
        self.box(0, top, BODY_WIDTH, y - top, width=20)
        x = 0
        for caption, item, width, align, fmt in columns[:-1]:
            x += width
            self.line(x, top, x, y, 10)
        return y

    def totals(self, y, rows, size=10, label_width=1500, width=4000, height=380):
        """Caption and amount boxes at the right edge, one row each."""
        x = BODY_WIDTH - width
        top = y
        for caption, item in rows:
            self.box(x, y, label_width, height, width=10, back='#ffe8e8e8')
            self.label(x, y, label_width, height, caption, font=GOTHIC, size=size, align='Center')
            self.field(x + label_width + PAD, y, width - label_width - 2 * PAD, height, item, size=size,
                       align='Right', fmt=YEN)
            y += height
        self.box(x, top, width, y - top, width=20)
        self.line(x + label_width, top, x + label_width, y, 10)
        return y

    def grand_total(self, x, y, caption, item, width=6000, height=560):
        """The boxed amount under the address: caption, yen amount, tax note."""
        self.box(x, y, width, height, width=30)
        self.field(x + 100, y, 1900, height, caption, size=12, font=GOTHIC, bold=True) \
            if caption.startswith('P_') else \
            self.label(x + 100, y, 1900, height, caption, size=12, font=GOTHIC, bold=True)
        self.field(x + 2000, y, width - 2000 - 900, height, item, size=16, bold=True, align='Right', fmt=YEN)
        self.label(x + width - 850, y, 800, height, '(税込)', size=9, align='Center')

    def own_company(self, x, y, width=4300, with_number=True):
        self.field(x, y, width, 420, 'P_自社会社名', size=12, font=GOTHIC, bold=True)
        y += 460
        self.field(x, y, width, 300, 'P_自社郵便番号', size=9)
        y += 300
        self.field(x, y, width, 300, 'P_自社所在地１', size=9)
        y += 300
        self.field(x, y, width, 300, 'P_自社所在地２', size=9)
        y += 300
        self.label(x, y, 500, 300, 'TEL', size=9)
        self.field(x + 500, y, 1650, 300, 'P_自社電話番号', size=9)
        self.label(x + 2150, y, 500, 300, 'FAX', size=9)
        self.field(x + 2650, y, 1650, 300, 'P_自社FAX番号', size=9)
        y += 300
        if with_number:
            self.label(x, y, 1000, 300, '登録番号', size=9)
            self.field(x + 1000, y, width - 1000, 300, 'P_自社登録番号', size=9)
            y += 300
        return y

    def page_number(self):
        y = BODY_HEIGHT - 360
        self.field(BODY_WIDTH // 2 - 1100, y, 1000, 300, 'ページ番号', align='Right', size=9)
        self.label(BODY_WIDTH // 2 - 100, y, 200, 300, '/', align='Center', size=9)
        self.field(BODY_WIDTH // 2 + 100, y, 1000, 300, 'ページ数', size=9)

    def xml(self):
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<Report UserData=%s Version="1">' % quoteattr(self.user_data),
               ' <PageSetup PaperWidth="%d" PaperHeight="%d" Orientation="Portrait" LeftMargin="%d" '
               'TopMargin="%d" RightMargin="%d" BottomMargin="%d"/>' % (A4_WIDTH, A4_HEIGHT, MARGIN, MARGIN,
                                                                       MARGIN, MARGIN),
               ' <Section Name="Detail" NewPage="1" Height="%d">' % BODY_HEIGHT]
        for c in self.controls:
            attrs = dict(Kind='TextBox', Name='', Left=0, Top=0, Width=0, Height=0, Text='', Tag='', DataField='',
                         OutputFormat='', FontName=MINCHO, FontSize=10, Bold=False, Italic=False, Underline=False,
                         Align='Left', VAlign='Top', WordWrap=False, Border=False, LineWidth=15,
                         ForeColor='#000000', BackColor='#00000000', LineColor='#000000', Shape='Rectangle',
                         Sizing='Zoom')
            attrs.update(c)
            parts = []
            for key, value in attrs.items():
                if isinstance(value, bool):
                    value = '1' if value else '0'
                elif isinstance(value, float):
                    value = '%g' % value
                parts.append('%s=%s' % (key, quoteattr(str(value), {'\n': '&#10;', '\r': '&#13;', '\t': '&#9;'})))
            out.append('  <Control %s/>' % ' '.join(parts))
        out += [' </Section>', '</Report>', '']
        return '\n'.join(out)


# The 内税 variants: in a shop whose prices contain the tax, a slip's 合計
# already holds its 消費税, so the subtotal they print is 合計 less the tax
# and 小計 + 消費税 adds up to the total printed below them.
TAX_CONTAINED = '(内税)'


def denpyo(tax_contained=False):
    f = Form()
    f.label(0, 0, BODY_WIDTH, 700, '納　品　書', size=22, font=GOTHIC, bold=True, align='Center')
    f.line(BODY_WIDTH // 2 - 2000, 720, BODY_WIDTH // 2 + 2000, 720, 30)
    f.label(7000, 900, 1100, 300, '伝票番号', size=9, font=GOTHIC)
    f.field(8100, 900, 2300, 300, 'P_伝票番号', size=9, fmt='000000000')
    f.label(7000, 1200, 1100, 300, '納品日', size=9, font=GOTHIC)
    f.field(8100, 1200, 2300, 300, 'P_納品日', size=9, fmt='yyyy年m月d日')
    f.label(0, 1000, 300, 300, '〒', size=10)
    f.field(300, 1000, 2000, 300, 'P_顧客郵便')
    f.field(0, 1350, 6000, 300, 'P_顧客所在地１')
    f.field(0, 1650, 6000, 300, 'P_顧客所在地２')
    f.field(0, 2050, 6000, 480, 'P_顧客名+様', size=15, font=GOTHIC)
    f.line(0, 2550, 6000, 2550, 20)
    f.field(0, 2650, 3000, 300, 'P_顧客部門', size=9)
    f.own_company(6100, 1700)
    f.label(0, 3300, 6000, 300, '下記の通り納品いたしました。', size=10)
    f.grand_total(0, 3700, '合計金額', 'P_税込合計')
    columns = [('品番', '品番', 1500, 'Left', ''), ('品名', '品名', 3400, 'Left', ''),
               ('数量', '数量', 900, 'Right', DECIMAL), ('単位', '単位', 700, 'Center', ''),
               ('単価', '単価', 1200, 'Right', DECIMAL), ('金額', '金額', 1300, 'Right', AMOUNT),
               ('備考', '備考', BODY_WIDTH - 9000, 'Left', '')]
    y = f.table(4500, columns, 10, 420)
    y += 120
    f.field(0, y, 5500, 380, 'P_値引き+値引率+値引金額', size=9)
    subtotal = 'P_合計-消費税' if tax_contained else 'P_合計'
    y = f.totals(y, (('小計', subtotal), ('消費税', 'P_消費税'), ('合計', 'P_税込合計')))
    y += 200
    f.label(0, y, 1000, 300, '備考', size=9, font=GOTHIC)
    y += 300
    memo_top = y
    for n in '１２３４５６':
        f.field(100, y, 9000, 300, 'P_メモ%s行目' % n, size=9)
        y += 300
    f.box(0, memo_top - 20, BODY_WIDTH, y - memo_top + 40, width=10)
    f.label(0, y + 100, 1000, 300, '印刷日', size=8)
    f.field(1000, y + 100, 2000, 300, 'P_印刷日付', size=8, fmt='yyyy/mm/dd')
    f.page_number()
    return f


def denpyo_list():
    f = Form('0;0;0;')
    f.label(0, 0, BODY_WIDTH, 600, '伝票一覧', size=18, font=GOTHIC, bold=True, align='Center')
    f.label(7600, 700, 1000, 300, '印刷日', size=9)
    f.field(8600, 700, 1866, 300, 'P_印刷日付', size=9, fmt='yyyy/mm/dd')
    f.field(0, 700, 5000, 300, 'P_自社会社名', size=10, font=GOTHIC)
    columns = [('No.', '行番号', 600, 'Right', ''), ('伝票番号', '伝票番号', 1300, 'Center', '000000000'),
               ('納品日', '納品日', 1200, 'Center', 'yyyy/mm/dd'), ('顧客名', '顧客名', 2766, 'Left', ''),
               ('合計', '合計', 1300, 'Right', AMOUNT), ('消費税', '消費税', 1100, 'Right', AMOUNT),
               ('税込合計', '税込合計', 1300, 'Right', AMOUNT), ('担当', '担当', 900, 'Left', '')]
    y = f.table(1100, columns, 30, 400, size=9)
    y += 150
    f.totals(y, (('合計', 'L_伝票集計/合計'), ('消費税', 'L_伝票集計/消費税'), ('税込合計', 'L_伝票集計/税込合計')),
             size=9, height=360)
    f.page_number()
    return f


def tsuki_seikyusho(tax_contained=False):
    f = Form('0;1;0;')
    f.label(0, 0, BODY_WIDTH, 700, '請　求　書', size=22, font=GOTHIC, bold=True, align='Center')
    f.label(7600, 800, 1000, 300, '請求日', size=9, font=GOTHIC)
    # Registration marks every slip with the invoice date before it prints.
    f.field(8600, 800, 1866, 300, 'P_先頭伝票/請求日付', size=9, fmt='yyyy年m月d日')
    f.label(0, 1000, 300, 300, '〒')
    f.field(300, 1000, 2000, 300, 'P_先頭伝票顧客/顧客郵便')
    f.field(0, 1300, 6000, 300, 'P_先頭伝票顧客/顧客所在地１')
    f.field(0, 1600, 6000, 300, 'P_先頭伝票顧客/顧客所在地２')
    f.field(0, 2000, 6000, 480, 'P_先頭伝票顧客/顧客名+様', size=15, font=GOTHIC)
    f.line(0, 2500, 6000, 2500, 20)
    f.own_company(6100, 1200)
    f.label(0, 2800, 6000, 300, '下記の通りご請求申し上げます。')
    f.grand_total(0, 3200, 'P_@ご請求金額', 'P_伝票集計/税込合計')
    # The slip's own date, which every slip has whatever its stages.
    columns = [('日付', '納期', 900, 'Center', 'm/d'), ('伝票番号', '伝票番号', 1200, 'Center', '000000000'),
               ('品名', '品名', 3266, 'Left', ''), ('数量', '数量', 900, 'Right', DECIMAL),
               ('単価', '単価', 1200, 'Right', DECIMAL), ('金額', '金額', 1300, 'Right', AMOUNT),
               ('備考', '備考', 1700, 'Left', '')]
    y = f.table(4000, columns, 20, 400, size=9)
    y += 120
    subtotal = 'L_伝票集計/合計-消費税' if tax_contained else 'L_伝票集計/合計'
    y = f.totals(y, (('小計', subtotal), ('消費税', 'L_伝票集計/消費税'), ('合計', 'L_伝票集計/税込合計')),
                 size=9, height=360)
    y += 150
    f.label(0, y, 2000, 300, 'お振込先', size=10, font=GOTHIC, bold=True)
    y += 330
    for n in '１２３':
        x = 200
        for item, width in (('銀行', 2400), ('支店', 2200), ('種類', 800), ('番号', 2000)):
            f.field(x, y, width, 300, 'P_自社振込口座%s%s' % (n, item), size=9)
            x += width
        y += 300
    f.page_number()
    return f


def customer():
    f = Form()
    f.label(0, 0, BODY_WIDTH, 600, '顧客情報', size=18, font=GOTHIC, bold=True, align='Center')
    f.label(7600, 700, 1000, 300, '印刷日', size=9)
    f.field(8600, 700, 1866, 300, 'P_印刷日付', size=9, fmt='yyyy/mm/dd')
    y = f.pairs(500, 1300, [('顧客ID', '顧客ID'), ('顧客名かな', '顧客名かな'), ('顧客名', '顧客名漢字'),
                            ('宛名', '顧客名漢字+御中'), ('部門', '部門'), ('郵便番号', '郵便番号'),
                            ('所在地１', '所在地１'), ('所在地２', '所在地２'), ('電話番号', '電話番号'),
                            ('FAX番号', 'FAX番号'), ('値引率(%)', '値引率'), ('月締め請求', '月締め請求'),
                            ('締め日', '締め日'), ('請求金額計算', '請求金額計算'),
                            ('計算方法', '請求金額計算説明'), ('請求書フォーム', '請求書フォーム')], width=7000)
    y += 200
    f.label(500, y, 2200, 340, 'メモ', font=GOTHIC, size=9)
    for n in '１２３４５６':
        f.field(2700, y, 7000, 340, 'P_メモ%s行目' % n, size=9)
        y += 340
    f.line(0, BODY_HEIGHT - 800, BODY_WIDTH, BODY_HEIGHT - 800, 10)
    f.field(0, BODY_HEIGHT - 700, 5000, 300, 'P_自社会社名', size=9)
    f.field(5000, BODY_HEIGHT - 700, 5466, 300, 'P_自社電話番号', size=9, align='Right')
    return f


def customer_list():
    f = Form('0;0;0;')
    f.label(0, 0, BODY_WIDTH, 600, '顧客一覧', size=18, font=GOTHIC, bold=True, align='Center')
    f.field(0, 700, 5000, 300, 'P_自社会社名', size=10, font=GOTHIC)
    f.label(7600, 700, 1000, 300, '印刷日', size=9)
    f.field(8600, 700, 1866, 300, 'P_印刷日付', size=9, fmt='yyyy/mm/dd')
    columns = [('顧客ID', '顧客ID', 1100, 'Left', ''), ('顧客名', '顧客名漢字', 2700, 'Left', ''),
               ('郵便番号', '郵便番号', 1000, 'Center', ''), ('所在地', '所在地１', 3266, 'Left', ''),
               ('電話番号', '電話番号', 1200, 'Center', ''), ('FAX番号', 'FAX番号', 1200, 'Center', '')]
    f.table(1100, columns, 35, 380, size=8)
    f.page_number()
    return f


def shohin():
    f = Form()
    f.label(0, 0, BODY_WIDTH, 600, '商品情報', size=18, font=GOTHIC, bold=True, align='Center')
    f.label(7600, 700, 1000, 300, '印刷日', size=9)
    f.field(8600, 700, 1866, 300, 'P_印刷日付', size=9, fmt='yyyy/mm/dd')
    y = f.pairs(500, 1300, [('商品ID', '商品ID'), ('品番', '品番'), ('品名', '品名'), ('製造元', '製造元'),
                            ('単価', '単価', YEN_DECIMAL), ('単位', '単位')], width=7000)
    y += 200
    f.label(500, y, 2200, 340, 'メモ', font=GOTHIC, size=9)
    for n in '１２３４５６':
        f.field(2700, y, 7000, 340, 'P_メモ%s行目' % n, size=9)
        y += 340
    f.line(0, BODY_HEIGHT - 800, BODY_WIDTH, BODY_HEIGHT - 800, 10)
    f.field(0, BODY_HEIGHT - 700, 5000, 300, 'P_自社会社名', size=9)
    return f


def shohin_list():
    f = Form('0;0;0;')
    f.label(0, 0, BODY_WIDTH, 600, '商品一覧', size=18, font=GOTHIC, bold=True, align='Center')
    f.field(0, 700, 5000, 300, 'P_自社会社名', size=10, font=GOTHIC)
    f.label(7600, 700, 1000, 300, '印刷日', size=9)
    f.field(8600, 700, 1866, 300, 'P_印刷日付', size=9, fmt='yyyy/mm/dd')
    columns = [('商品ID', '商品ID', 1600, 'Left', ''), ('品番', '品番', 1600, 'Left', ''),
               ('品名', '品名', 3666, 'Left', ''), ('製造元', '製造元', 1800, 'Left', ''),
               ('単価', '単価', 1100, 'Right', DECIMAL), ('単位', '単位', 700, 'Center', '')]
    f.table(1100, columns, 35, 380, size=8)
    f.page_number()
    return f


FORMS = {
    'Denpyo': [('納品書', denpyo), ('納品書' + TAX_CONTAINED, lambda: denpyo(tax_contained=True))],
    'DenpyoList': [('伝票一覧', denpyo_list)],
    'TsukiSeikyusho': [('請求書', tsuki_seikyusho),
                       ('請求書' + TAX_CONTAINED, lambda: tsuki_seikyusho(tax_contained=True))],
    'Customer': [('顧客情報', customer)],
    'CustomerList': [('顧客一覧', customer_list)],
    'Shohin': [('商品情報', shohin)],
    'ShohinList': [('商品一覧', shohin_list)],
}

if __name__ == '__main__':
    for kind, forms in FORMS.items():
        folder = os.path.join(ROOT, kind + 'PrintSampleForm')
        os.makedirs(folder, exist_ok=True)
        for name, make in forms:
            with open(os.path.join(folder, name + '.rpx'), 'w', encoding='utf-8', newline='\n') as out:
                out.write(make().xml())
