REM 線の長さを合計
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 線の長さを合計 (サンプル)
