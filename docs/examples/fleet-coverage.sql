-- A fleet's coverage in SQLite, from kelvane-compare's JSON Lines:
--   kelvane-compare --jsonl fleet.jsonl FOLDER
--   sqlite3 :memory: < fleet-coverage.sql
CREATE TABLE adapter(line TEXT);
-- One JSON line a row: no field separator ever stands in a line.
.mode ascii
.separator "\037" "\n"
.import fleet.jsonl adapter
.mode list
.separator " "
-- Can a game rely on cube maps? The adapters that have them, of all.
SELECT 'D3DPTEXTURECAPS_CUBEMAP:',
       sum(json_extract(line, '$.flags.TextureCaps.D3DPTEXTURECAPS_CUBEMAP')),
       'of', count(*)
  FROM adapter;
-- The widest texture the adapters take, most common first.
SELECT json_extract(line, '$.limits.MaxTextureWidth'), count(*)
  FROM adapter GROUP BY 1 ORDER BY 2 DESC, 1;
