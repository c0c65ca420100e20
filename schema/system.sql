-- system.mdb: operators and document numbers.
-- Default rows go only into a table this run creates: 已有表 lists the tables the file had before.
CREATE TEMP TABLE 已有表 AS SELECT name FROM sqlite_master WHERE type = 'table';
CREATE TABLE IF NOT EXISTS 操作员 (
    登陆帐号 TEXT,
    姓名 TEXT,
    密码 TEXT,
    级别 TEXT,
    权限 TEXT,
    部门 TEXT,
    最后登陆时间 DATETIME,
    登陆次数 INTEGER DEFAULT 0
);
CREATE INDEX IF NOT EXISTS 操作员_登陆帐号 ON 操作员 (登陆帐号);
INSERT INTO 操作员 (登陆帐号, 姓名, 密码, 级别, 权限, 部门, 登陆次数)
    SELECT 'admin', '系统管理员', 'admin', '管理员', '', '总经理室', 0
    WHERE '操作员' NOT IN (SELECT name FROM 已有表);

CREATE TABLE IF NOT EXISTS 累加单号值 (
    业务单号 TEXT,
    检货号 TEXT,
    发货清单号 TEXT,
    调度单号 TEXT
);
INSERT INTO 累加单号值 (业务单号, 检货号, 发货清单号, 调度单号)
    SELECT 'YW0000001', 'JH0000001', 'FH0000001', 'DD0000001'
    WHERE '累加单号值' NOT IN (SELECT name FROM 已有表);

CREATE TABLE IF NOT EXISTS 开单次数 (
    业务单号 INTEGER,
    检货号 INTEGER,
    发货清单号 INTEGER,
    调度单号 INTEGER
);
INSERT INTO 开单次数 (业务单号, 检货号, 发货清单号, 调度单号)
    SELECT 1, 1, 1, 1
    WHERE '开单次数' NOT IN (SELECT name FROM 已有表);

CREATE TABLE IF NOT EXISTS 单号起始值 (
    业务单号 TEXT,
    检货号 TEXT,
    发货清单号 TEXT,
    调度单号 TEXT
);
INSERT INTO 单号起始值 (业务单号, 检货号, 发货清单号, 调度单号)
    SELECT 'YW0000001', 'JH0000001', 'FH0000001', 'DD0000001'
    WHERE '单号起始值' NOT IN (SELECT name FROM 已有表);

DROP TABLE temp.已有表;
