-- Fresh database of the sales administration program.
-- Text keys compare case-insensitively; flags are stored as 1/0;
-- dates are text "yyyy/mm/dd" or "yyyy/mm/dd hh:nn:ss".
CREATE TABLE 基本情報テーブル (
  基本情報ID TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
  テキスト型データ TEXT,
  数値型データ INTEGER
);
CREATE TABLE 伝票テーブル (
  伝票番号 INTEGER NOT NULL PRIMARY KEY,
  納期 TEXT,
  顧客ID TEXT COLLATE NOCASE,
  顧客郵便 TEXT,
  顧客所在地１ TEXT,
  顧客所在地２ TEXT,
  顧客名 TEXT,
  顧客部門 TEXT,
  顧客電話 TEXT,
  顧客FAX TEXT,
  明細数 INTEGER,
  明細計 INTEGER,
  値引率計算 INTEGER NOT NULL DEFAULT 0,
  値引率 INTEGER,
  値引金額 INTEGER,
  合計 INTEGER,
  消費税含 INTEGER NOT NULL DEFAULT 0,
  消費税 INTEGER,
  合計消費税込み INTEGER,
  見積もり INTEGER NOT NULL DEFAULT 0,
  見積もり日付 TEXT,
  受注 INTEGER NOT NULL DEFAULT 0,
  受注日付 TEXT,
  納品 INTEGER NOT NULL DEFAULT 0,
  納品日付 TEXT,
  請求 INTEGER NOT NULL DEFAULT 0,
  請求日付 TEXT,
  入金 INTEGER NOT NULL DEFAULT 0,
  入金日付 TEXT,
  部門 TEXT,
  担当 TEXT,
  メモ TEXT,
  作成日付 TEXT,
  更新日付 TEXT
);
CREATE INDEX 伝票テーブル_納期 ON 伝票テーブル (納期);
CREATE INDEX 伝票テーブル_見積もり日付 ON 伝票テーブル (見積もり日付);
CREATE INDEX 伝票テーブル_受注日付 ON 伝票テーブル (受注日付);
CREATE INDEX 伝票テーブル_納品日付 ON 伝票テーブル (納品日付);
CREATE INDEX 伝票テーブル_請求日付 ON 伝票テーブル (請求日付);
CREATE INDEX 伝票テーブル_入金日付 ON 伝票テーブル (入金日付);
CREATE INDEX 伝票テーブル_作成日付 ON 伝票テーブル (作成日付);
CREATE INDEX 伝票テーブル_更新日付 ON 伝票テーブル (更新日付);
CREATE INDEX 伝票テーブル_顧客ID ON 伝票テーブル (顧客ID);
-- The main window lists slips of one creation or update day by the date
-- part of the time stamp. Only SQLite's own functions appear in the schema,
-- so that the stock sqlite3 shell can check, change, vacuum and restore the
-- file; the program's date bar writes its conditions with the same substr().
CREATE INDEX 伝票テーブル_作成日 ON 伝票テーブル (substr(作成日付,1,10));
CREATE INDEX 伝票テーブル_更新日 ON 伝票テーブル (substr(更新日付,1,10));
CREATE TABLE 明細テーブル (
  伝票番号 INTEGER NOT NULL,
  明細番号 INTEGER NOT NULL,
  商品ID TEXT COLLATE NOCASE,
  品番 TEXT,
  品名 TEXT,
  単価 REAL,
  数量 REAL,
  単位 TEXT,
  金額 INTEGER,
  備考 TEXT,
  -- Its index also serves every lookup of a slip's lines.
  PRIMARY KEY (伝票番号, 明細番号)
);
CREATE TABLE 顧客テーブル (
  顧客ID TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
  顧客名かな TEXT,
  顧客名漢字 TEXT,
  部門 TEXT,
  郵便番号 TEXT,
  所在地１ TEXT,
  所在地２ TEXT,
  電話番号 TEXT,
  FAX番号 TEXT,
  値引率 INTEGER,
  メモ TEXT,
  月締め請求 INTEGER NOT NULL DEFAULT 0,
  締め日 TEXT,
  請求書フォーム TEXT
);
CREATE TABLE 商品テーブル (
  商品ID TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
  品番 TEXT,
  品名 TEXT,
  製造元 TEXT,
  単価 REAL,
  単位 TEXT,
  説明 TEXT
);
INSERT INTO 基本情報テーブル VALUES ('DatabaseVersion', NULL, 5);
INSERT INTO 基本情報テーブル VALUES ('CurrentDenpyoID', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('DenpyoListCheckCount', NULL, 1000);
INSERT INTO 基本情報テーブル VALUES ('ShouhizeiRitsu', NULL, 10);
INSERT INTO 基本情報テーブル VALUES ('ShouhizeiPattern', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('Shouhizei', NULL, 1);
INSERT INTO 基本情報テーブル VALUES ('MyName', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyPostNumber', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyAddress1', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyAddress2', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyPhone', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyFax', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyHomePage', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyMail', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyTourokuBango', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza1Ginko', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza1Shiten', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza1Number', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza1Shurui', NULL, 1);
INSERT INTO 基本情報テーブル VALUES ('MyKoza2Ginko', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza2Shiten', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza2Number', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza2Shurui', NULL, 1);
INSERT INTO 基本情報テーブル VALUES ('MyKoza3Ginko', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza3Shiten', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza3Number', NULL, 0);
INSERT INTO 基本情報テーブル VALUES ('MyKoza3Shurui', NULL, 1);
