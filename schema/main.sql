-- main.mdb: orders, order status, picking records and queue, stock-out queue.
CREATE TABLE IF NOT EXISTS 业务单 (
    业务单号 TEXT,
    货物名称 TEXT,
    件数 INTEGER,
    重量 INTEGER,
    体积 INTEGER,
    计抛否 TEXT,
    计抛重量 INTEGER,
    收货人姓名 TEXT,
    收货单位 TEXT,
    收货地址 TEXT,
    收货电话 TEXT,
    收货手机 TEXT,
    代收货款金额 INTEGER,
    结算方式 TEXT,
    开票人 TEXT,
    开票时间 DATETIME
);
CREATE INDEX IF NOT EXISTS 业务单_业务单号 ON 业务单 (业务单号);

CREATE TABLE IF NOT EXISTS 业务状态 (
    业务单号 TEXT,
    已受理 TEXT,
    已物流 TEXT,
    已入库 TEXT DEFAULT '否',
    已出库 TEXT DEFAULT '否'
);
CREATE INDEX IF NOT EXISTS 业务状态_业务单号 ON 业务状态 (业务单号);

CREATE TABLE IF NOT EXISTS 检货及仓库 (
    检货号 TEXT,
    检货员 TEXT,
    检货时间 DATETIME,
    货物名称 TEXT,
    实际件数 INTEGER,
    实际重量 INTEGER,
    实际体积 INTEGER,
    计抛否 TEXT,
    计抛重量 INTEGER,
    业务单号 TEXT
);
CREATE INDEX IF NOT EXISTS 检货及仓库_检货号 ON 检货及仓库 (检货号);

CREATE TABLE IF NOT EXISTS 检货临时库 (
    检货号 TEXT,
    检货员 TEXT,
    检货时间 DATETIME,
    货物名称 TEXT,
    实际件数 INTEGER,
    实际重量 INTEGER,
    实际体积 INTEGER,
    计抛否 TEXT,
    计抛重量 INTEGER
);

CREATE TABLE IF NOT EXISTS 出库临时表 (
    业务单号 TEXT,
    货物名称 TEXT,
    件数 INTEGER,
    截留件数 INTEGER,
    重量 INTEGER,
    体积 INTEGER
);
