-- The benchmarks' 2000 drugs: samples/drugs.csv grown to 2000 rows by one
-- rule, in the table drugs. Row n (1 to 2000) is sample row ((n - 1) mod S) + 1,
-- S being the sample's row count; every copy after the first (c = (n - 1) div S,
-- from 1) has c appended, in decimal, to its trade name and its pinyin
-- initials, so that names repeat only in the English name. Run from the
-- repository's top folder.
.import --csv samples/drugs.csv sample
CREATE TABLE drugs(TradeName TEXT, PinyinInitials TEXT, EnglishName TEXT, OtherNames TEXT,
                   Function TEXT, Usage TEXT, Cautions TEXT);
WITH RECURSIVE row(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM row WHERE n < 2000),
     size(s) AS (SELECT count(*) FROM sample)
INSERT INTO drugs
SELECT TradeName || (CASE WHEN (n - 1) / s > 0 THEN (n - 1) / s ELSE '' END),
       PinyinInitials || (CASE WHEN (n - 1) / s > 0 THEN (n - 1) / s ELSE '' END),
       EnglishName, OtherNames, Function, Usage, Cautions
FROM row, size JOIN sample ON sample.rowid = (n - 1) % s + 1
ORDER BY n;
DROP TABLE sample;
