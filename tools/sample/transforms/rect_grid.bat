@rem   矩形を格子に分割  
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 矩形を格子に分割 (サンプル)
