-- ywzhxx.mdb: customers, partners, agencies, complaints, shipping lists, inbound goods.
CREATE TABLE IF NOT EXISTS 外地入埠货物 (
    品名 TEXT,
    始发地 TEXT,
    到达日期 DATETIME,
    入库人 TEXT,
    提货方式 TEXT,
    原包装 TEXT,
    件数 INTEGER,
    重量 INTEGER,
    体积 INTEGER,
    提货人姓名 TEXT,
    提货人电话 TEXT,
    提货人单位 TEXT,
    提货人地址 TEXT,
    提货日期 DATETIME,
    出库人 TEXT,
    已提货 TEXT DEFAULT '否'
);
-- The inbound query: the records of one picked-up flag that arrived within a date range.
CREATE INDEX IF NOT EXISTS 外地入埠货物_已提货_到达日期 ON 外地入埠货物 (已提货, 到达日期);

CREATE TABLE IF NOT EXISTS 发货清单 (
    发货清单号 TEXT,
    司机姓名 TEXT,
    司机运费 INTEGER,
    车牌号 TEXT,
    制单日期 TEXT,
    总计件数 INTEGER,
    总计截留件数 INTEGER,
    总计重量 INTEGER,
    总计体积 INTEGER
);
-- A save refuses a list number that is already taken.
CREATE INDEX IF NOT EXISTS 发货清单_发货清单号 ON 发货清单 (发货清单号);
