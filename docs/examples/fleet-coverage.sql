-- A fleet's coverage in SQLite, from kelvane-compare's JSON Lines:
--   kelvane-compare --jsonl fleet.jsonl FOLDER
--   sqlite3 :memory: < fleet-coverage.sql
CREATE TABLE line(json TEXT);
-- One JSON line a row: no field separator ever stands in a line.
.mode ascii
.separator "\037" "\n"
.import fleet.jsonl line
.mode list
.separator " "
-- Two kinds of line: each set of capabilities once, and every adapter,
-- which names its set. Each becomes a table once, the sets by their
-- number, so that every question is a join on an index, never a scan of
-- one kind of line for each of the other.
CREATE TABLE capabilities(id INTEGER PRIMARY KEY, caps TEXT);
INSERT INTO capabilities
  SELECT json_extract(json, '$.configuration'), json
    FROM line WHERE json_extract(json, '$.file') IS NULL;
CREATE TABLE adapter(file TEXT, model TEXT, driver TEXT, driver_order TEXT,
                     capabilities INTEGER);
INSERT INTO adapter
  SELECT json_extract(json, '$.file'),
         json_extract(json, '$.identity.Description'),
         json_extract(json, '$.identity.DriverVersion'),
         json_extract(json, '$.identity.DriverVersion_order'),
         json_extract(json, '$.configuration')
    FROM line WHERE json_extract(json, '$.file') IS NOT NULL;
CREATE INDEX adapter_capabilities ON adapter(capabilities);
DROP TABLE line;
-- Can a game rely on cube maps? The adapters that have them, of all.
SELECT 'D3DPTEXTURECAPS_CUBEMAP:',
       sum(json_extract(caps, '$.flags.TextureCaps.D3DPTEXTURECAPS_CUBEMAP')),
       'of', count(*)
  FROM adapter JOIN capabilities ON capabilities.id = adapter.capabilities;
-- A game that needs textures 4096 wide: the adapters that take them.
SELECT 'MaxTextureWidth>=4096:', count(*)
  FROM adapter JOIN capabilities ON capabilities.id = adapter.capabilities
 WHERE json_extract(caps, '$.limits.MaxTextureWidth') >= 4096;
-- Drivers from a version on: the _order form compares as text as the
-- version does part by part ('4.9' before '4.12').
SELECT 'DriverVersion>=4.12:', count(*)
  FROM adapter WHERE driver_order >= '00004.00012';
-- The widest texture the adapters take, narrowest first.
SELECT json_extract(caps, '$.limits.MaxTextureWidth'), count(*)
  FROM adapter JOIN capabilities ON capabilities.id = adapter.capabilities
 GROUP BY 1 ORDER BY 1;
